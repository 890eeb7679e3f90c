// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veltrasko {

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(objectName);
  auto* layout = new QVBoxLayout(this);
  for (int index = 0; index < items.size(); ++index) {
    auto* button = new QRadioButton(items[index], this);
    buttons_->addButton(button, index);
    layout->addWidget(button);
  }
  layout->addStretch();
  connect(buttons_, &QButtonGroup::idToggled, this, &RadioGroup::itemIndexChanged);
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group never lets its last chosen button go by itself.
  buttons_->setExclusive(false);
  for (QAbstractButton* button : buttons_->buttons()) button->setChecked(false);
  buttons_->setExclusive(true);
}

QRadioButton& RadioGroup::Item(int index) const { return *static_cast<QRadioButton*>(buttons_->button(index)); }

}  // namespace veltrasko

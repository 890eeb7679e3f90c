// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/box_menu.h"

namespace veltrasko {
namespace {

QAction* NewAction(QObject* owner, const QString& name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(name);
  return action;
}

}  // namespace

BoxMenu::BoxMenu(QObject* owner)
    : USB_con_Update1(NewAction(owner, "USB_con_Update1", "Update...")),
      USB_disconnect1(NewAction(owner, "USB_disconnect1", "Disconnected")),
      group_(new QActionGroup(owner)) {
  group_->setExclusive(true);
  USB_disconnect1->setCheckable(true);
  group_->addAction(USB_disconnect1);
  for (int n = 1; n <= BoxItemCount; ++n) {
    QAction* item = NewAction(owner, QString("USB_con%1").arg(n), QString("USB%1").arg(n));
    item->setCheckable(true);
    item->setVisible(false);
    group_->addAction(item);
    boxItems_[static_cast<std::size_t>(n - 1)] = item;
  }
  USB_disconnect1->setChecked(true);
}

QList<QAction*> BoxMenu::Actions() const {
  QList<QAction*> actions{USB_con_Update1, USB_disconnect1};
  for (QAction* item : boxItems_) actions.append(item);
  return actions;
}

void BoxMenu::CheckItem(int item) {
  if (item != NoCheckedItem) {
    (item == 0 ? USB_disconnect1 : BoxItem(item))->setChecked(true);
  } else if (QAction* checked = group_->checkedAction()) {
    checked->setChecked(false);
  }
}

void BoxMenu::EnableBoxItems(bool enabled) {
  for (QAction* item : boxItems_) item->setEnabled(enabled);
}

void BoxMenu::HideBoxItems() {
  for (QAction* item : boxItems_) item->setVisible(false);
}

}  // namespace veltrasko

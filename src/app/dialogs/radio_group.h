// SPDX-License-Identifier: GPL-3.0-or-later
// A framed group of radio buttons with one index, -1 while none is chosen,
// as the dialogs use for each setting kept as a small code.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace veltrasko {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  // An index outside the items leaves no button chosen.
  void SetItemIndex(int index);
  QRadioButton& Item(int index) const;

 signals:
  // A button was chosen or let go, by the user or by SetItemIndex.
  void itemIndexChanged();

 private:
  QButtonGroup* buttons_ = nullptr;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The items of the "USB Connection" menu: "Update...", "Disconnected" and the
// ten box items, the last eleven one radio group. The link decides which item
// is checked; the menu only shows it.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QList>
#include <QObject>
#include <array>

namespace veltrasko {

inline constexpr int BoxItemCount = 10;
// No item of the group checked: a lost box is awaited.
inline constexpr int NoCheckedItem = -1;

class BoxMenu {
 public:
  explicit BoxMenu(QObject* owner);

  QAction* USB_con_Update1;
  QAction* USB_disconnect1;

  // Box item n (1 to 10): USB_con1 ... USB_con10.
  QAction* BoxItem(int n) const { return boxItems_[static_cast<std::size_t>(n - 1)]; }

  // All items in menu order, for the window's "USB Connection" menu.
  QList<QAction*> Actions() const;

  // 0 checks "Disconnected", 1 to 10 the box item of that number,
  // NoCheckedItem none.
  void CheckItem(int item);
  void EnableBoxItems(bool enabled);
  void HideBoxItems();

 private:
  QActionGroup* group_;
  std::array<QAction*, BoxItemCount> boxItems_{};
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's tree (MainMenu1): every item with its caption, shortcut and
// place. The window connects the handlers; the box link brings the items of
// the "USB Connection" menu.
#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace veltrasko {

struct MainMenu {
  QMenu* File1 = nullptr;
  QAction* Openfile1 = nullptr;
  QAction* Savenext1 = nullptr;
  QAction* Export1 = nullptr;
  QAction* ExportFit1 = nullptr;
  QAction* Print1 = nullptr;
  QAction* Quit1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* Copy1 = nullptr;
  QMenu* Connection1 = nullptr;  // "USB Connection": filled by the box link
  QMenu* Commands1 = nullptr;
  QAction* Resetcomputer1 = nullptr;
  QMenu* Settings1 = nullptr;
  QAction* Options1 = nullptr;
  QAction* Personaldata1 = nullptr;
  QMenu* View1 = nullptr;
  QAction* ShowFile1 = nullptr;
  QAction* Showonlinesession1 = nullptr;
  QAction* Readout1 = nullptr;  // "Live readout", checkable, after the two views
  QAction* Summary1 = nullptr;  // "Session summary..."
};

MainMenu BuildMainMenu(QMenuBar& bar);

}  // namespace veltrasko

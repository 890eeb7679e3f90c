// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace veltrasko {

namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(caption);
  menu->setObjectName(name);
  return menu;
}

QAction* AddItem(QMenu& menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(name);
  item->setShortcut(shortcut);
  return item;
}

QAction* AddViewItem(QMenu& menu, const char* name, const char* caption, bool checked) {
  QAction* item = AddItem(menu, name, caption);
  item->setCheckable(true);
  item->setChecked(checked);
  return item;
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar& bar) {
  bar.setObjectName("MainMenu1");
  MainMenu menu;
  menu.File1 = AddMenu(bar, "File1", "File");
  menu.Openfile1 = AddItem(*menu.File1, "Openfile1", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O));
  menu.Savenext1 = AddItem(*menu.File1, "Savenext1", "&Save next...");
  menu.Export1 = AddItem(*menu.File1, "Export1", "&Export data...");
  menu.ExportFit1 = AddItem(*menu.File1, "ExportFit1", "Export FIT...");
  menu.Print1 = AddItem(*menu.File1, "Print1", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P));
  menu.File1->addSeparator();
  menu.Quit1 = AddItem(*menu.File1, "Quit1", "&Exit", QKeySequence(Qt::CTRL | Qt::Key_Q));

  menu.Edit1 = AddMenu(bar, "Edit1", "Edit");
  menu.Copy1 = AddItem(*menu.Edit1, "Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));

  menu.Connection1 = AddMenu(bar, "Connection1", "USB Connection");

  menu.Commands1 = AddMenu(bar, "Commands1", "Commands");
  menu.Resetcomputer1 = AddItem(*menu.Commands1, "Resetcomputer1", "Reset computer...");

  menu.Settings1 = AddMenu(bar, "Settings1", "Settings");
  menu.Options1 = AddItem(*menu.Settings1, "Options1", "&Options...");
  menu.Personaldata1 = AddItem(*menu.Settings1, "Personaldata1", "Personal data...");

  menu.View1 = AddMenu(bar, "View1", "View");
  menu.ShowFile1 = AddViewItem(*menu.View1, "ShowFile1", "&File graph", false);
  menu.Showonlinesession1 = AddViewItem(*menu.View1, "Showonlinesession1", "&Online graph", true);
  menu.Readout1 = AddViewItem(*menu.View1, "Readout1", "Live readout", true);
  menu.Summary1 = AddItem(*menu.View1, "Summary1", "Session summary...");
  return menu;
}

}  // namespace veltrasko

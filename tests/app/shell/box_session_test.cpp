// SPDX-License-Identifier: GPL-3.0-or-later
// The window with a (simulated) box: the box is listed in "USB Connection",
// its confirmation asks for the session's name, and a reset of the box
// records the first numbered file.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLineEdit>

#include "box_window_fixture.h"

namespace veltrasko {
namespace {

using namespace test;
using BoxSessionTest = BoxWindowTest;

TEST_F(BoxSessionTest, ConnectAskForTheNameAndRecordTheFirstSession) {
  AttachBoxes({{"BOXSIM_BOXES", "1001"}, {"BOXSIM_STROKES", "12"}, {"BOXSIM_WEIGHT", "71"}});
  OpenWindow();
  EXPECT_EQ(VisibleCaptions(*form->Menu().Connection1), QStringList({"Update...", "Disconnected", "Box ID: 1001"}));
  EXPECT_TRUE(Disconnected());

  QString proposal;
  const QString base = QtPath(folder, "race");
  modals.AnswerNext([&](QWidget& modal) {
    proposal = modal.findChild<QLineEdit*>("fileNameEdit")->text();
    AcceptFileName(modal, base);
  });
  Boxes().BoxItem(1)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return Panel(4) == " Reset the ergo computer."; }));
  EXPECT_EQ(proposal, QString::fromStdString(CompactDateText(Today()) + "_?"));
  EXPECT_EQ(Panel(1), "Connected");
  EXPECT_EQ(core.Session().SaveDialogFileName, QFile::encodeName(base + ".vrc").toStdString());

  form->Menu().Resetcomputer1->trigger();
  const QString first = base + "_00.vrc";
  ASSERT_TRUE(WaitUntil([&] { return Panel(2) == " Strokes: 12"; }));
  EXPECT_EQ(Panel(3), " Weight: 71 Kg");
  EXPECT_EQ(Panel(4), first);

  form->close();  // the shutdown sequence closes the record file
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_EQ(QFileInfo(first).size(), 58 + 10 + 12 * 38);
}

}  // namespace
}  // namespace veltrasko

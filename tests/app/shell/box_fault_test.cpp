// SPDX-License-Identifier: GPL-3.0-or-later
// The window facing a box that misbehaves: unplugged at every step of a
// connection and a session, bursting, flooding garbage, paddling before it
// was reset. Whatever happens, every stroke the window took is on file and
// the window waits for the box or is ready for the next one.
#include <gtest/gtest.h>

#include <QLabel>

#include "box_window_fixture.h"

namespace veltrasko {
namespace {

using namespace test;

class BoxFaultTest : public BoxWindowTest {
 protected:
  bool WaitUntilWaitingForTheBox() {
    return WaitUntil([this] { return form->Link().WaitingForBox(); });
  }

  // Once the loss is handled: the window waits for the box, with no device
  // or reader left.
  bool SettlesWaiting() {
    if (!WaitUntilWaitingForTheBox()) return false;
    EXPECT_FALSE(form->Link().BoxOpen());
    EXPECT_TRUE(WaitUntil([this] { return form->Link().LiveReaderCount() == 0; }));
    EXPECT_EQ(Panel(1), "Disconnected");
    return true;
  }

  bool StartSession(int item, const QString& baseName) {
    if (!ConnectAndName(item, baseName)) return false;
    ResetBox();
    return true;
  }

  void ResetBox() const { form->Menu().Resetcomputer1->trigger(); }
};

TEST_F(BoxFaultTest, UnpluggedBeforeTheConfirmationAsksOnlyOnceTheBoxIsBack) {
  AttachBoxes({{"BOXSIM_NEVER_CONFIRM", "1"}});
  OpenWindow();
  Boxes().BoxItem(1)->trigger();
  ASSERT_TRUE(WaitUntilReportsTaken(0)) << "the reader is reading";
  boxsim::Unplug("1001");
  ASSERT_TRUE(SettlesWaiting());
  EXPECT_EQ(VisibleCaptions(*form->Menu().Connection1), QStringList({"Update...", "Disconnect..."}));

  // Plugged in again, the same box is found by itself and confirms: the
  // question it never got to is asked now.
  AnswerSaveQuestion("again");
  AttachBoxes({{"BOXSIM_STROKES", "12"}});
  ASSERT_TRUE(WaitUntil([&] { return core.Session().SaveNameChosen == 1; }));
  EXPECT_EQ(Panel(1), "Connected");
  EXPECT_EQ(Panel(4), " Reset the ergo computer.");
  ResetBox();
  ASSERT_TRUE(RecordStrokes(12));
  form->close();
  ExpectSessionOnFile("again_00.vrc", 12);
}

TEST_F(BoxFaultTest, UnpluggedDuringTheSaveQuestionKeepsTheNameAndWritesNothing) {
  AttachBoxes({{"BOXSIM_STROKES", "12"}});
  OpenWindow();
  AnswerSaveQuestion("race", [] { boxsim::Unplug("1001"); });
  Boxes().BoxItem(1)->trigger();
  ASSERT_TRUE(SettlesWaiting());
  EXPECT_EQ(core.Session().SaveDialogFileName, QFile::encodeName(QtPath(folder, "race.vrc")).toStdString());
  EXPECT_EQ(Panel(4), " Box unplugged! Waiting for it...");
  EXPECT_TRUE(RecordFiles().isEmpty());
}

// "Save next..." is the user's own dialog: the loss is handled while it is
// open, and the reset it sends afterwards finds no box to go to.
TEST_F(BoxFaultTest, UnpluggedWhileSaveNextIsOpenWaitsAndTakesTheName) {
  AttachBoxes({});
  OpenWindow();
  ASSERT_TRUE(ConnectAndName(1, "race"));
  AnswerSaveQuestion("next", [this] {
    boxsim::Unplug("1001");
    EXPECT_TRUE(WaitUntilWaitingForTheBox());
  });
  form->Menu().Savenext1->trigger();
  EXPECT_TRUE(SettlesWaiting());
  EXPECT_EQ(core.Session().SaveDialogFileName, QFile::encodeName(QtPath(folder, "next.vrc")).toStdString());
  EXPECT_EQ(Panel(4), " Box unplugged! Waiting for it...");
  EXPECT_TRUE(RecordFiles().isEmpty());
}

TEST_F(BoxFaultTest, UnpluggedMidSessionWaitsWithEveryStrokeOnFileUntilTheDisconnect) {
  AttachBoxes({});
  OpenWindow();
  ASSERT_TRUE(StartSession(1, "race"));
  ASSERT_TRUE(RecordStrokes(25));
  boxsim::Unplug("1001");
  ASSERT_TRUE(SettlesWaiting());

  const unsigned shown = core.Session().StrokeCount;
  EXPECT_EQ(Panel(2), StrokesPanel(shown));
  EXPECT_EQ(core.OnlineStrokes().Count(), shown);
  ExpectSessionOnFile("race_00.vrc", shown);
  EXPECT_TRUE(core.Session().Record.IsOpen());
  EXPECT_EQ(Panel(4), " Box unplugged! Waiting for it...");
  EXPECT_EQ(form->StatusBar1().Panel(4).toolTip(), QtPath(folder, "race_00.vrc"));

  Boxes().USB_disconnect1->trigger();
  EXPECT_FALSE(form->Link().WaitingForBox());
  EXPECT_TRUE(Disconnected());
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_EQ(Panel(4), "");
  ExpectSessionOnFile("race_00.vrc", shown);
}

TEST_F(BoxFaultTest, BoxThatCannotBeOpenedSaysSo) {
  AttachBoxes({{"BOXSIM_BOXES", "0042"}});
  OpenWindow();
  Boxes().BoxItem(1)->trigger();
  EXPECT_FALSE(form->Link().BoxOpen());
  EXPECT_EQ(Panel(1), "Disconnected");
  EXPECT_EQ(Panel(4), " Could not open Box ID: 0042");
}

TEST_F(BoxFaultTest, ResetSentToAnUnpluggedBoxLeavesTheSessionBeforeWhole) {
  AttachBoxes({{"BOXSIM_STROKES", "12"}});
  OpenWindow();
  ASSERT_TRUE(StartSession(1, "race"));
  ASSERT_TRUE(RecordStrokes(12));

  // The reader cannot notice the loss before the command goes out: both run
  // in this turn of the main thread.
  boxsim::Unplug("1001");
  ResetBox();
  ASSERT_TRUE(SettlesWaiting());
  EXPECT_EQ(RecordFiles(), QStringList({"race_00.vrc"}));
  ExpectSessionOnFile("race_00.vrc", 12);
}

TEST_F(BoxFaultTest, UnpluggedAsTheResetStartsANewFileLeavesBothFilesWhole) {
  AttachBoxes({{"BOXSIM_STROKES", "12"}, {"BOXSIM_PACE", "10"}});
  OpenWindow();
  ASSERT_TRUE(StartSession(1, "race"));
  ASSERT_TRUE(RecordStrokes(12));

  ResetBox();
  ASSERT_TRUE(WaitUntil([this] { return Panel(4).endsWith("race_01.vrc"); }));
  boxsim::Unplug("1001");
  ASSERT_TRUE(SettlesWaiting());
  // Leaving the program while it waits closes the file with all it holds.
  const unsigned shown = core.Session().StrokeCount;
  form->close();
  EXPECT_FALSE(form->Link().WaitingForBox());
  EXPECT_FALSE(core.Session().Record.IsOpen());
  ExpectSessionOnFile("race_00.vrc", 12);
  ExpectSessionOnFile("race_01.vrc", shown);
}

// Choosing the other box ends the wait for the lost one and its session.
TEST_F(BoxFaultTest, TwoBoxesAndTheChosenOneUnpluggedLeavesTheOtherToConnect) {
  AttachBoxes({{"BOXSIM_BOXES", "1001,1002"}, {"BOXSIM_STROKES", "12"}});
  OpenWindow();
  ASSERT_TRUE(StartSession(2, "second"));
  ASSERT_TRUE(RecordStrokes(12));
  boxsim::Unplug("1002");
  ASSERT_TRUE(SettlesWaiting());
  EXPECT_EQ(VisibleCaptions(*form->Menu().Connection1), QStringList({"Update...", "Disconnect...", "Box ID: 1001"}));
  ExpectSessionOnFile("second_00.vrc", 12);

  ASSERT_TRUE(StartSession(1, "first"));
  ASSERT_TRUE(WaitUntil([this] { return Panel(2) == StrokesPanel(12) && Panel(4).endsWith("first_00.vrc"); }));
  form->close();
  ExpectSessionOnFile("first_00.vrc", 12);
  ExpectSessionOnFile("second_00.vrc", 12);
}

// Fifty strokes due at once, sent in reports of 200 bytes packed full:
// the reader hands them over back to back, five frames a report.
TEST_F(BoxFaultTest, BurstOfFiftyFramesIsRecordedWhole) {
  AttachBoxes({{"BOXSIM_STROKES", "50"},
               {"BOXSIM_PACE", "2000"},
               {"BOXSIM_PACKING", "burst"},
               {"BOXSIM_REPORT_LENGTH", "200"}});
  OpenWindow();
  ASSERT_TRUE(StartSession(1, "burst"));
  ASSERT_TRUE(RecordStrokes(50));
  ASSERT_TRUE(WaitUntilReportsTaken(boxsim::ReportsDelivered())) << "nothing more on its way";
  EXPECT_EQ(core.Session().StrokeCount, 50u);
  EXPECT_EQ(Panel(2), StrokesPanel(50));
  form->close();
  ExpectSessionOnFile("burst_00.vrc", 50);
}

// A box sending reports of random bytes with the strokes in between. The box
// is gone once it has sent them all, which tells that every report was
// taken. The long flood is measured in bench/window_soak_bench.
TEST_F(BoxFaultTest, GarbageFloodLosesNoStroke) {
  constexpr unsigned FloodReports = 2000;
  constexpr unsigned Strokes = 30;
  const QByteArray floodReports = QByteArray::number(FloodReports);
  const QByteArray allReports = QByteArray::number(FloodReports + Strokes + 2);  // + confirmation + session start
  AttachBoxes({{"BOXSIM_STROKES", "30"},
               {"BOXSIM_PACE", "20"},
               {"BOXSIM_GARBAGE_REPORTS", floodReports.constData()},
               {"BOXSIM_UNPLUG_AFTER", allReports.constData()}});
  OpenWindow();
  ASSERT_TRUE(StartSession(1, "flood"));
  ASSERT_TRUE(SettlesWaiting());
  EXPECT_EQ(core.Session().StrokeCount, Strokes);
  ExpectSessionOnFile("flood_00.vrc", Strokes);
}

TEST_F(BoxFaultTest, StrokesBeforeAnySessionStartAreNeitherShownNorRecorded) {
  AttachBoxes({{"BOXSIM_STROKES", "12"}, {"BOXSIM_PADDLING_AT_CONNECT", "1"}});
  OpenWindow();
  ASSERT_TRUE(ConnectAndName(1, "race"));
  // The confirmation and the twelve strokes the box paddles meanwhile.
  ASSERT_TRUE(WaitUntilReportsTaken(13));
  EXPECT_EQ(core.Session().StrokeCount, 0u);
  EXPECT_EQ(core.OnlineStrokes().Count(), 0u);
  EXPECT_EQ(Panel(2), "");
  EXPECT_TRUE(RecordFiles().isEmpty());

  ResetBox();
  ASSERT_TRUE(RecordStrokes(12));
  form->close();
  ExpectSessionOnFile("race_00.vrc", 12);
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/connection_handshake.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "session/session_recorder.h"
#include "support/record_frames.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::Bytes;
using test::DeliverFrame;
using test::ReadWholeFile;
using test::RecordingSinks;
using test::TemporaryFolder;
using test::WalkRecordFrames;
using ::testing::_;
using ::testing::Return;

constexpr CalendarDate March7{2024, 3, 7};

// Only the questions a test announces may be asked.
class ScriptedDialogs : public SessionDialogs {
 public:
  MOCK_METHOD(std::optional<std::string>, AskSaveNextSession, (std::string_view proposal), (override));
  MOCK_METHOD(void, ShowOnlineWeight, (std::string_view weightText), (override));
  MOCK_METHOD(void, ShowFilePersonalData, (const PersonalData& data), (override));
};

class BoxConfirmation : public ::testing::Test {
 protected:
  BoxConfirmation() {
    core.SetConnectionListener(&handshake);
    EXPECT_CALL(dialogs, ShowOnlineWeight(_)).Times(::testing::AnyNumber());
  }

  void Deliver(const FrameTag& tag, std::span<const std::uint8_t> payload) { DeliverFrame(recorder, tag, payload); }
  void Confirm(std::uint8_t connectedFlag = 1) {
    Deliver(StatusTag, EncodeStatus(KindConnectionStatus, connectedFlag).Bytes);
  }
  void Reset() { Deliver(SessionStartTag, EncodeSessionStart(118, 80).Bytes); }
  void Paddle(std::uint16_t from, std::uint16_t to) {
    for (std::uint16_t n = from; n <= to; ++n) Deliver(StrokeTag, AcceptedStroke(n).Bytes);
  }
  // Connected, named race.vrc (the one question), reset and paddled strokes 1 to 5.
  void RecordFiveStrokes() {
    EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(folder.File("race.vrc")));
    core.ConnectBox();
    Confirm();
    Reset();
    Paddle(1, 5);
  }
  std::vector<std::uint16_t> StrokeNumbersIn(const char* name) const {
    return WalkRecordFrames(ReadWholeFile(folder.File(name))).StrokeNumbers;
  }

  TemporaryFolder folder;
  AnalyserCore core;
  RecordingSinks screen;
  ::testing::StrictMock<ScriptedDialogs> dialogs;
  ScreenSinks sinks{screen, screen, screen, dialogs};
  ConnectionHandshake handshake{core, sinks, [] { return March7; }};
  SessionRecorder recorder{core, sinks, [] { return March7; }};
};

TEST_F(BoxConfirmation, AsksForTheNameProposingTodayAndKeepsTheChoice) {
  const std::string chosen = folder.File("race.vrc");
  EXPECT_CALL(dialogs, AskSaveNextSession("20240307_?")).WillOnce(Return(chosen));
  Confirm();

  EXPECT_EQ(screen.Log, (std::vector<std::string>{"online graph", "status1:Connected", "automatic:0",
                                                  "status4: Reset the ergo computer."}));
  EXPECT_EQ(core.Session().SaveDialogFileName, chosen);
  EXPECT_EQ(core.Session().SaveNameChosen, 1);
  EXPECT_EQ(core.Flags().ConnectionState, 1);

  Reset();
  Deliver(StrokeTag, AcceptedStroke(1).Bytes);
  EXPECT_EQ(std::filesystem::file_size(folder.File("race_00.vrc")), 58u + 10u + 38u);
}

TEST_F(BoxConfirmation, CancelledDialogIsAskedAgainAtTheNextConfirmation) {
  EXPECT_CALL(dialogs, AskSaveNextSession("20240307_?"))
      .WillOnce(Return(std::nullopt))
      .WillOnce(Return(folder.File("second.vrc")));
  // A name used by an earlier session is left over.
  core.Savenext(folder.File("left.vrc"));
  core.ConnectionConfirmed();
  Reset();
  Confirm();
  EXPECT_TRUE(core.Session().SaveDialogFileName.empty());
  EXPECT_EQ(core.Session().SaveNameChosen, 0);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), " Reset the ergo computer.");

  Confirm();
  EXPECT_EQ(core.Session().SaveDialogFileName, folder.File("second.vrc"));
  EXPECT_EQ(core.Session().SaveNameChosen, 1);
}

TEST_F(BoxConfirmation, EmptyChosenNameCountsAsCancel) {
  EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(std::string()));
  Confirm();
  EXPECT_EQ(core.Session().SaveNameChosen, 0);
  EXPECT_TRUE(core.Session().SaveDialogFileName.empty());
}

TEST_F(BoxConfirmation, NameChosenBeforeMeansNoQuestion) {
  core.Savenext(folder.File("chosen.vrc"));
  Confirm();
  EXPECT_EQ(screen.LastStatus(StatusPanel::Connection), "Connected");
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), " Reset the ergo computer.");
  EXPECT_EQ(core.Session().SaveDialogFileName, folder.File("chosen.vrc"));
}

TEST_F(BoxConfirmation, ConfirmationWithoutTheConnectedFlagStillConnects) {
  EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(std::nullopt));
  Confirm(0);
  EXPECT_EQ(core.Flags().ConnectionState, 1);
  EXPECT_EQ(screen.LastStatus(StatusPanel::Connection), "Connected");
}

TEST_F(BoxConfirmation, SessionStartsCountOnlyAfterAConfirmationAndStayAcceptedAfterAReconnect) {
  core.Savenext(folder.File("race.vrc"));
  Reset();
  Deliver(StrokeTag, AcceptedStroke(1).Bytes);
  EXPECT_EQ(core.Session().SessionOpen, 0);
  EXPECT_EQ(core.Session().StrokeCount, 0u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("")));

  Confirm();
  Reset();
  EXPECT_TRUE(std::filesystem::exists(folder.File("race_00.vrc")));

  // Disconnecting closes the file; connecting again clears the open session.
  core.DisconnectBox();
  Reset();
  EXPECT_EQ(core.Session().SessionOpen, 1);
  EXPECT_TRUE(std::filesystem::exists(folder.File("race_01.vrc")));
}

// The box comes back to the session it left: its confirmation asks nothing,
// and its strokes go on from those before, into the same file and graph.
TEST_F(BoxConfirmation, ReturnedBoxGoesOnIntoTheSameFileWithoutAQuestion) {
  RecordFiveStrokes();
  const BoxLostNotice notice = core.BoxLost();
  EXPECT_EQ(notice.Hint, " Box unplugged! Waiting for it...");
  EXPECT_EQ(notice.Tip, folder.File("race_00.vrc"));
  EXPECT_TRUE(core.Session().Record.IsOpen());
  EXPECT_EQ(core.ShowFileGraph().Replot, &core.FileStrokes());
  EXPECT_EQ(core.ShowOnlineGraph().FileOrHint, " Box unplugged! Waiting for it...");

  EXPECT_EQ(core.ResumeBox().View(), folder.File("race_00.vrc"));
  screen.Log.clear();
  Confirm();
  EXPECT_EQ(screen.Log, (std::vector<std::string>{"online graph", "status1:Connected", "automatic:0",
                                                  "status4:" + folder.File("race_00.vrc")}));
  Paddle(6, 9);
  EXPECT_EQ(core.Session().StrokeCount, 9u);
  EXPECT_EQ(screen.Plotted.size(), 9u);
  EXPECT_EQ(std::count(screen.Log.begin(), screen.Log.end(), "clear"), 0);
  EXPECT_EQ(StrokeNumbersIn("race_00.vrc"), (std::vector<std::uint16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

  // A later confirmation of the same connection is an ordinary one again.
  EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(std::nullopt));
  Confirm();
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), " Reset the ergo computer.");
}

TEST_F(BoxConfirmation, BoxResetWhileAwayStartsTheNextFile) {
  RecordFiveStrokes();
  core.BoxLost();
  core.ResumeBox();
  Confirm();
  Reset();
  Paddle(1, 3);
  EXPECT_EQ(StrokeNumbersIn("race_00.vrc"), (std::vector<std::uint16_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(StrokeNumbersIn("race_01.vrc"), (std::vector<std::uint16_t>{1, 2, 3}));
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), folder.File("race_01.vrc"));
}

TEST_F(BoxConfirmation, BoxLostBeforeItConfirmedIsAskedOnItsReturnAndDisconnectEndsTheWait) {
  core.ConnectBox();
  core.BoxLost();
  EXPECT_EQ(core.ResumeBox().View(), " Reset the ergo computer.");
  EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(folder.File("race.vrc")));
  Confirm();
  Reset();
  Paddle(1, 2);

  core.BoxLost();
  core.DisconnectBox();
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_EQ(core.Session().Box.Away, 0);
  // A box connected afresh is asked again, as the file's session has ended.
  EXPECT_CALL(dialogs, AskSaveNextSession(_)).WillOnce(Return(std::nullopt));
  core.ConnectBox();
  Confirm();
}

}  // namespace
}  // namespace veltrasko

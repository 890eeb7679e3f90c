// SPDX-License-Identifier: GPL-3.0-or-later
// A whole live session over the simulated box: the real link, scanner,
// handshake and recorder; only the screen is faked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "link/box_link.h"
#include "session/analyser_core.h"
#include "session/connection_handshake.h"
#include "session/session_recorder.h"
#include "support/event_waits.h"
#include "support/link_fakes.h"
#include "support/record_frames.h"
#include "support/simulated_boxes.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using namespace test;
using namespace std::chrono_literals;

class FakeMessages final : public MessageSink {
 public:
  void ShowMessage(std::string_view text) override { Shown.emplace_back(text); }
  std::vector<std::string> Shown;
};

// The Save dialog answers with a path and, like a modal dialog, keeps the
// main thread busy for a while before it does.
class FakeDialogs final : public SessionDialogs {
 public:
  std::optional<std::string> AskSaveNextSession(std::string_view) override {
    ++Asked;
    QEventLoop modal;
    QTimer::singleShot(400, &modal, &QEventLoop::quit);
    modal.exec();
    return Answer;
  }
  void ShowOnlineWeight(std::string_view) override {}
  void ShowFilePersonalData(const PersonalData&) override {}
  std::optional<std::string> Answer;
  int Asked = 0;
};

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class BoxLinkSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { core_.SetConnectionListener(&handshake_); }

  std::string InFolder(const char* name) const { return folder_.File(name); }

  TemporaryFolder folder_;
  AnalyserCore core_;
  FakeStatus status_;
  FakeMessages messages_;
  FakeGraphs graphs_;
  FakeDialogs dialogs_;
  ScreenSinks sinks_{status_, messages_, graphs_, dialogs_};
  ConnectionHandshake handshake_{core_, sinks_};
  SessionRecorder recorder_{core_, sinks_};
  ChunksTo<SessionRecorder> consumer_{recorder_};
  BoxCommandSender commands_;
  BoxLink link_{BoxLinkPeers{core_, commands_, consumer_, status_, graphs_}, nullptr,
                QDBusConnection("no-bus-in-these-tests")};
};

TEST_F(BoxLinkSessionTest, ConfirmedBoxRecordsAResetSessionIntoTheChosenFile) {
  AttachBoxes({{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "12"}, {"BOXSIM_WEIGHT", "77"}});
  dialogs_.Answer = InFolder("race.vrc");
  link_.ScanBoxes();
  link_.Menu().BoxItem(1)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return core_.Flags().ConnectionState == 1; }));
  EXPECT_EQ(dialogs_.Asked, 1);

  commands_.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return core_.Session().StrokeCount == 12; }, 10s));
  link_.Menu().USB_disconnect1->trigger();

  const std::vector<std::uint8_t> bytes = FileBytes(InFolder("race_00.vrc"));
  ASSERT_EQ(bytes.size(), 58u + 10u + 12u * 38u);
  EXPECT_TRUE(std::equal(PersonalDataTag.begin(), PersonalDataTag.end(), bytes.begin()));
  EXPECT_TRUE(std::equal(SessionStartTag.begin(), SessionStartTag.end(), bytes.begin() + 58));
  EXPECT_EQ(ReadI16(bytes, 58 + 4 + 2), 77);
  EXPECT_EQ(core_.OnlineStrokes().Count(), 12u);
  EXPECT_EQ(graphs_.Plotted, 12);
  EXPECT_TRUE(messages_.Shown.empty());
  EXPECT_FALSE(core_.Session().Record.IsOpen());
}

// Twelve reports (the confirmation, the session start and ten strokes), then
// the cable is out for three seconds while the box paddles on.
TEST_F(BoxLinkSessionTest, BoxPluggedInAgainGoesOnIntoTheSameFileWithoutAQuestion) {
  AttachBoxes({{"BOXSIM_PACE", "40"},
               {"BOXSIM_PAUSE_EVERY", "0"},
               {"BOXSIM_STROKES", "30"},
               {"BOXSIM_UNPLUG_AFTER", "12"},
               {"BOXSIM_UNPLUG_FOR", "3"}});
  dialogs_.Answer = InFolder("race.vrc");
  link_.ScanBoxes();
  link_.Menu().BoxItem(1)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return core_.Flags().ConnectionState == 1; }));
  commands_.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return link_.WaitingForBox(); }));
  EXPECT_EQ(core_.Session().StrokeCount, 10u);
  const std::pair<StatusPanel, std::string> waiting{StatusPanel::FileOrHint, " Box unplugged! Waiting for it..."};
  EXPECT_EQ(status_.Shown.back(), waiting);

  ASSERT_TRUE(WaitUntil([&] { return core_.Session().StrokeCount == 30; }, 10s));
  EXPECT_FALSE(link_.WaitingForBox());
  EXPECT_EQ(dialogs_.Asked, 1);
  EXPECT_EQ(graphs_.Plotted, 30);
  EXPECT_EQ(EventsNamed("plugged-in").size(), 1u);
  EXPECT_EQ(EventsNamed("open").size(), 2u);
  // The panel names the file again once the box is back.
  const auto waitingAt = std::find(status_.Shown.begin(), status_.Shown.end(), waiting);
  const std::pair<StatusPanel, std::string> named{StatusPanel::FileOrHint, InFolder("race_00.vrc")};
  EXPECT_NE(std::find(waitingAt, status_.Shown.end(), named), status_.Shown.end());

  const RecordFrames frames = WalkRecordFrames(FileBytes(InFolder("race_00.vrc")));
  EXPECT_FALSE(frames.Damaged);
  EXPECT_EQ(frames.SessionStartFrames, 1);
  EXPECT_EQ(frames.StrokeFrames, 30);
  EXPECT_TRUE(CountsUpFromOne(frames.StrokeNumbers));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

TEST_F(BoxLinkSessionTest, UnconfirmedBoxRecordsNothing) {
  AttachBoxes({{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_NEVER_CONFIRM", "1"}});
  link_.ScanBoxes();
  link_.Menu().BoxItem(1)->trigger();
  commands_.SendResetCommand();
  // The reader has come back after a read, and the box has nothing to say.
  ASSERT_TRUE(WaitUntilReportsTaken(0));
  EXPECT_EQ(core_.Flags().ConnectionState, 0);
  EXPECT_EQ(dialogs_.Asked, 0);
  EXPECT_EQ(core_.Session().StrokeCount, 0u);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
}

}  // namespace
}  // namespace veltrasko

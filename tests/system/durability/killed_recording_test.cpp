// SPDX-License-Identifier: GPL-3.0-or-later
// A recording killed with SIGKILL in the middle of a session keeps every
// stroke it had taken: a child program records from the simulated box
// through the real link and recorder, or through the whole window, the test
// kills it at several moments and reads what it left behind.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/child_process.h"
#include "support/record_frames.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko {
namespace {

using namespace test;
using namespace std::chrono_literals;

// Fast strokes without pauses: a few hundred strokes within about a second.
void PaceTheBoxForKilling() {
  for (const char* name : boxsim::EnvironmentVariables) unsetenv(name);
  setenv("BOXSIM_PACE", "200", 1);
  setenv("BOXSIM_PAUSE_EVERY", "0", 1);
  setenv("BOXSIM_STROKES", "0", 1);
  setenv("BOXSIM_PACKING", "split", 1);
}

struct KillMoment {
  const char* Child;
  std::uint32_t AfterStrokes;
};

void PrintTo(const KillMoment& moment, std::ostream* out) { *out << moment.AfterStrokes << " strokes"; }

// The last stroke count the child reported before it died; nothing if it
// never reached the count asked for.
std::optional<std::uint32_t> RecordUntilKilled(const std::string& basePath, KillMoment moment) {
  ChildProcess child;
  if (!child.Start({moment.Child, basePath})) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  std::uint32_t reported = 0;
  while (reported < moment.AfterStrokes) {
    const std::optional<std::string> line = child.ReadLine(deadline);
    if (!line) return std::nullopt;
    reported = static_cast<std::uint32_t>(std::stoul(*line));
  }
  // The child records on while the test reacts, so the kill lands wherever
  // it happens to be in reading, scanning or writing the next report.
  child.Kill();
  // What it printed before it died is still in the pipe.
  while (const std::optional<std::string> line = child.ReadLine(deadline)) {
    reported = static_cast<std::uint32_t>(std::stoul(*line));
  }
  const int status = child.Wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;
  return reported;
}

class KilledRecordingTest : public ::testing::TestWithParam<KillMoment> {};

TEST_P(KilledRecordingTest, FileHoldsEveryStrokeTakenBeforeTheKill) {
  PaceTheBoxForKilling();
  TemporaryFolder folder;
  const std::optional<std::uint32_t> reported = RecordUntilKilled(folder.File("killed.vrc"), GetParam());
  ASSERT_TRUE(reported.has_value()) << "the child never recorded " << GetParam().AfterStrokes << " strokes";

  const Bytes bytes = ReadWholeFile(folder.File("killed_00.vrc"));
  const RecordFrames frames = WalkRecordFrames(bytes);
  EXPECT_FALSE(frames.Damaged);
  EXPECT_EQ(frames.PersonalDataFrames, 1);
  EXPECT_EQ(frames.SessionStartFrames, 1);
  EXPECT_GE(frames.StrokeFrames, static_cast<int>(*reported));
  EXPECT_TRUE(CountsUpFromOne(frames.StrokeNumbers)) << "a stroke is missing or repeated";

  auto core = std::make_unique<AnalyserCore>();
  QuietScreen screen;
  ScreenSinks& sinks = screen.Sinks();
  EXPECT_TRUE(RecordReader(*core, sinks).ReadRecordFile(folder.File("killed_00.vrc")));
  EXPECT_GE(core->FileStrokes().Count(), *reported);
}

std::string MomentName(const ::testing::TestParamInfo<KillMoment>& info) {
  const std::string child = std::string(info.param.Child) == WINDOW_RECORDING_CHILD ? "Window" : "Recorder";
  return child + "After" + std::to_string(info.param.AfterStrokes) + "Strokes";
}

// Different counts, so that the kill meets the child at different points of
// its session; the whole window plots and redraws besides.
INSTANTIATE_TEST_SUITE_P(AtSeveralMoments, KilledRecordingTest,
                         ::testing::Values(KillMoment{RECORDING_CHILD, 150}, KillMoment{RECORDING_CHILD, 237},
                                           KillMoment{RECORDING_CHILD, 311}, KillMoment{RECORDING_CHILD, 420},
                                           KillMoment{RECORDING_CHILD, 503}, KillMoment{WINDOW_RECORDING_CHILD, 90},
                                           KillMoment{WINDOW_RECORDING_CHILD, 173},
                                           KillMoment{WINDOW_RECORDING_CHILD, 266}),
                         MomentName);

}  // namespace
}  // namespace veltrasko

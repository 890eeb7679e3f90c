// SPDX-License-Identifier: GPL-3.0-or-later
// What the long live-session benchmarks share: the simulated box that sends
// them, resident memory read without allocating, the event loop served until
// a condition holds, a look at the record file the session left, and the
// figures they report.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/record_frames.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko::bench {

inline constexpr std::uint32_t SoakStrokes = 20000;

// One box sending exactly SoakStrokes strokes without pauses, as whole
// frames in reports of 200 bytes, five strokes each, at the pace given.
inline void AttachSoakBox(const char* pace) {
  for (const char* name : boxsim::EnvironmentVariables) unsetenv(name);
  setenv("BOXSIM_BOXES", "1001", 1);
  setenv("BOXSIM_PACE", pace, 1);
  setenv("BOXSIM_STROKES", std::to_string(SoakStrokes).c_str(), 1);
  setenv("BOXSIM_PAUSE_EVERY", "0", 1);
  setenv("BOXSIM_PACKING", "burst", 1);
  setenv("BOXSIM_REPORT_LENGTH", "200", 1);
  boxsim::Restart();
}

// VmRSS of this process in kB, read without allocating so that sampling
// does not disturb what it measures; 0 if it cannot be read.
inline long ResidentKilobytes() {
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  std::array<char, 4096> text{};
  const ssize_t length = ::read(fd, text.data(), text.size() - 1);
  ::close(fd);
  if (length <= 0) return 0;
  const char* field = std::strstr(text.data(), "VmRSS:");
  return field == nullptr ? 0 : std::strtol(field + std::strlen("VmRSS:"), nullptr, 10);
}

// Runs the event loop, as the program does, until the condition holds or
// the time is up.
inline bool ServeUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (condition() || std::chrono::steady_clock::now() > deadline) loop.quit();
  });
  check.start(20);
  if (!condition()) loop.exec();
  return condition();
}

// What a session came to: the strokes it counted, and what its record file
// holds, walked frame by frame and read back by the program's reader.
struct SoakOutcome {
  std::uint32_t Counted = 0;
  double Seconds = 0;
  test::RecordFrames Frames;
  std::uint32_t ReadBack = 0;
};

// Reads the record file into the core's file table.
inline void TakeRecordFile(const std::string& path, AnalyserCore& core, SoakOutcome& outcome) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  outcome.Frames = test::WalkRecordFrames(bytes);
  QuietScreen screen;
  RecordReader(core, screen.Sinks()).ReadRecordFile(path);
  outcome.ReadBack = core.FileStrokes().Count();
}

// Whole frames only, and the strokes numbered 1, 2, 3, ... with none missing.
inline bool WholeAndInOrder(const test::RecordFrames& frames) {
  return !frames.Damaged && test::CountsUpFromOne(frames.StrokeNumbers);
}

// Strokes sent, counted, on file and read back; resident memory at its
// first, middle and last sample.
inline void ReportSoak(benchmark::State& state, const SoakOutcome& outcome,
                       const std::vector<long>& residentKilobytes) {
  state.counters["box_strokes"] = SoakStrokes;
  state.counters["counted_strokes"] = outcome.Counted;
  state.counters["file_stroke_frames"] = outcome.Frames.StrokeFrames;
  state.counters["file_strokes_read"] = outcome.ReadBack;
  state.counters["file_damaged"] = !WholeAndInOrder(outcome.Frames);
  state.counters["strokes_per_s"] = outcome.Counted / outcome.Seconds;
  state.counters["rss_samples"] = static_cast<double>(residentKilobytes.size());
  if (residentKilobytes.empty()) return;
  state.counters["rss_first_kB"] = residentKilobytes.front();
  state.counters["rss_middle_kB"] = residentKilobytes[residentKilobytes.size() / 2];
  state.counters["rss_last_kB"] = residentKilobytes.back();
  state.counters["rss_growth_kB"] = residentKilobytes.back() - residentKilobytes.front();
}

}  // namespace veltrasko::bench

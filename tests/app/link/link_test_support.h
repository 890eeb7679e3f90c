// SPDX-License-Identifier: GPL-3.0-or-later
// What the link tests share: fakes where the link meets the screen, a
// consumer that scans whatever it is handed, the simulated box set up through
// its environment, and waiting while the main thread keeps serving the reader.
#pragma once

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "protocol/chunk_consumer.h"
#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko::testing_support {

// Attaches the boxes these variables describe; all others take their defaults.
inline void AttachBoxes(const std::vector<std::pair<const char*, const char*>>& variables = {}) {
  for (const char* name : boxsim::EnvironmentVariables) unsetenv(name);
  for (const auto& [name, value] : variables) setenv(name, value, 1);
  boxsim::Restart();
}

inline std::vector<boxsim::BoxEvent> EventsNamed(const std::string& what) {
  std::vector<boxsim::BoxEvent> found;
  for (boxsim::BoxEvent& event : boxsim::Events()) {
    if (event.What == what) found.push_back(std::move(event));
  }
  return found;
}

inline std::vector<std::string> EventNames() {
  std::vector<std::string> names;
  for (const boxsim::BoxEvent& event : boxsim::Events()) names.push_back(event.What);
  return names;
}

// Keeps the main thread serving the reader until the condition holds.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents();
    QThread::msleep(2);
  }
  return true;
}

inline void ServeFor(std::chrono::milliseconds duration) {
  WaitUntil([] { return false; }, duration);
}

class FakeStatus final : public StatusSink {
 public:
  void ShowStatus(StatusPanel panel, std::string_view text) override { Shown.emplace_back(panel, text); }
  std::vector<std::pair<StatusPanel, std::string>> Shown;
};

class FakeGraphs final : public GraphSink {
 public:
  void PlotStroke(const StrokeRow&) override { ++Plotted; }
  void ClearGraphs() override { ++Clears; }
  void UpdateAxes() override {}
  void UndoZoom() override {}
  void ShowOnlineGraph() override {}
  void ShowFileGraph() override {}
  void SetBottomAxesAutomatic(bool) override {}
  int Plotted = 0;
  int Clears = 0;
};

// Scans every chunk to the end, as a stand-in for the recorder that shows
// which frames came through, in which order, and whether deliveries overlapped.
class ScanningConsumer final : public ChunkConsumer {
 public:
  void OnBytesReceived(StreamBuffer& chunk) override {
    if (inside_) Overlapped = true;
    inside_ = true;
    ChunkLengths.push_back(chunk.length);
    for (ScanResult result = Scan(chunk); result != ScanNothing && result != ScanIncomplete &&
                                          result != ScanSessionStartIncomplete;
         result = Scan(chunk)) {
      Results.push_back(result);
      if (result == ScanStroke) StrokeNumbers.push_back(stroke_.StrokeNumber());
      if (result == ScanStatus) Statuses.push_back(scanner_.LastStatusMessage());
    }
    if (OnChunk) OnChunk();
    inside_ = false;
  }

  int Count(ScanResult result) const {
    return static_cast<int>(std::count(Results.begin(), Results.end(), result));
  }

  std::function<void()> OnChunk;
  std::vector<std::int16_t> ChunkLengths;
  std::vector<ScanResult> Results;
  std::vector<std::uint16_t> StrokeNumbers;
  std::vector<StatusMessage> Statuses;
  bool Overlapped = false;

 private:
  ScanResult Scan(StreamBuffer& chunk) { return scanner_.ScanFrame(chunk, 0, stroke_, personal_, start_); }

  FrameScanner scanner_;
  StrokeMessage stroke_;
  PersonalData personal_;
  SessionStartMessage start_;
  bool inside_ = false;
};

// True when the numbers run 1, 2, 3, ... without a gap or a repeat.
inline bool RunsFromOne(const std::vector<std::uint16_t>& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] != i + 1) return false;
  }
  return true;
}

}  // namespace veltrasko::testing_support

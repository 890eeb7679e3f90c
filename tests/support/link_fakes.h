// SPDX-License-Identifier: GPL-3.0-or-later
// What the link tests share: fakes where the link meets the screen, a
// consumer that scans whatever it is handed, and a writer that keeps every
// report sent to the box.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "protocol/box_commands.h"
#include "protocol/chunk_consumer.h"
#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"

namespace veltrasko::test {

class RecordingWriter final : public ReportWriter {
 public:
  void WriteReport(std::span<const std::uint8_t> report) override {
    reports.emplace_back(report.begin(), report.end());
  }
  std::vector<std::vector<std::uint8_t>> reports;
};

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
    for (ScanResult result = Scan(chunk);
         result != ScanNothing && result != ScanIncomplete && result != ScanSessionStartIncomplete;
         result = Scan(chunk)) {
      Results.push_back(result);
      if (result == ScanStroke) StrokeNumbers.push_back(stroke_.StrokeNumber());
      if (result == ScanStatus) Statuses.push_back(scanner_.LastStatusMessage());
    }
    if (OnChunk) OnChunk();
    inside_ = false;
  }

  int Count(ScanResult result) const { return static_cast<int>(std::count(Results.begin(), Results.end(), result)); }

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

}  // namespace veltrasko::test

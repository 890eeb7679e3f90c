// SPDX-License-Identifier: GPL-3.0-or-later
// What the session and record file tests share: frames handed to a receiver
// of the box's bytes, strokes the computation accepts or rejects, and screen
// sinks that log every call in order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"
#include "support/whole_files.h"

namespace veltrasko::test {

inline void AppendFrame(Bytes& out, const FrameTag& tag, std::span<const std::uint8_t> payload) {
  out.insert(out.end(), tag.begin(), tag.end());
  out.insert(out.end(), payload.begin(), payload.end());
}

// Hands one frame to a receiver of the box's bytes (the session recorder) as
// a report of its own.
template <typename Receiver>
void DeliverFrame(Receiver& receiver, const FrameTag& tag, std::span<const std::uint8_t> payload) {
  Bytes frame;
  AppendFrame(frame, tag, payload);
  StreamBuffer chunk;
  FillStreamBuffer(chunk, frame);
  receiver.OnBytesReceived(chunk);
}

// Stroke `number` of a steady session: one stroke per second, 4 m per stroke,
// half of it in the water. Every such stroke is accepted after its predecessor.
// Past stroke 65535 every counter wraps as the box's own counters do.
inline StrokeCounters SteadyStroke(std::uint32_t number) {
  StrokeCounters counters;
  counters.Side = static_cast<std::uint8_t>(number % 2);
  counters.StrokeNumber = static_cast<std::uint16_t>(number);
  counters.ClockTicks = number * 500000u;
  counters.PaddleTicks = number * 500000u;
  counters.WaterTicks = number * 250000u;
  counters.WorkUnits = static_cast<float>(number) * 1e-8f;
  counters.TotalDistance = 4.0f * static_cast<float>(number);
  counters.HeartRateValue = 140;
  return counters;
}

inline StrokeMessage AcceptedStroke(std::uint32_t number) { return EncodeStroke(SteadyStroke(number)); }

// A stroke after `number - 1` whose blade was in the water for far too short
// a time: the computation rejects it.
inline StrokeMessage ShortWaterStroke(std::uint16_t number) {
  StrokeCounters counters = SteadyStroke(number);
  counters.WaterTicks = (number - 1) * 250000u + 1000u;
  return EncodeStroke(counters);
}

inline StrokeMessage WithBadChecksum(StrokeMessage message) {
  message.Bytes[32] = static_cast<std::uint8_t>(message.Bytes[32] + 1);
  return message;
}

class RecordingSinks final : public StatusSink, public MessageSink, public GraphSink, public SessionDialogs {
 public:
  void ShowStatus(StatusPanel panel, std::string_view text) override {
    Log.push_back("status" + std::to_string(static_cast<int>(panel)) + ":" + std::string(text));
  }
  void ShowMessage(std::string_view text) override { Log.push_back("message:" + std::string(text)); }
  void PlotStroke(const StrokeRow& row) override {
    Plotted.push_back(row);
    Log.push_back("plot:" + std::to_string(row.StrokeNumber));
  }
  void ClearGraphs() override { Log.push_back("clear"); }
  void UpdateAxes() override { Log.push_back("axes"); }
  void UndoZoom() override { Log.push_back("undo zoom"); }
  void ShowOnlineGraph() override { Log.push_back("online graph"); }
  void ShowFileGraph() override { Log.push_back("file graph"); }
  void SetBottomAxesAutomatic(bool automatic) override {
    Log.push_back(std::string("automatic:") + (automatic ? "1" : "0"));
  }
  std::optional<std::string> AskSaveNextSession(std::string_view proposal) override {
    Log.push_back("ask save:" + std::string(proposal));
    return std::nullopt;
  }
  void ShowOnlineWeight(std::string_view weightText) override {
    Log.push_back("online weight:" + std::string(weightText));
  }
  void ShowFilePersonalData(const PersonalData& data) override {
    Log.push_back("file personal:" + std::string(data.PersonName()));
  }

  ScreenSinks Sinks() { return ScreenSinks{*this, *this, *this, *this}; }

  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& entry : Log)
      if (entry.starts_with("message:")) messages.push_back(entry.substr(8));
    return messages;
  }
  std::string LastStatus(StatusPanel panel) const {
    const std::string prefix = "status" + std::to_string(static_cast<int>(panel)) + ":";
    for (auto it = Log.rbegin(); it != Log.rend(); ++it)
      if (it->starts_with(prefix)) return it->substr(prefix.size());
    return {};
  }

  std::vector<std::string> Log;
  std::vector<StrokeRow> Plotted;
};

}  // namespace veltrasko::test

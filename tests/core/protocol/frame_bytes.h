// SPDX-License-Identifier: GPL-3.0-or-later
// Builders of framed byte streams for the protocol tests: frames as the box
// sends them, with plausible stroke counters that contain no tag bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"

namespace veltrasko::frames {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& stream, std::span<const std::uint8_t> bytes) {
  stream.insert(stream.end(), bytes.begin(), bytes.end());
}

template <typename Message>
Bytes PayloadOf(const Message& message) {
  return Bytes(message.Bytes.begin(), message.Bytes.end());
}

inline Bytes Frame(const FrameTag& tag, std::span<const std::uint8_t> payload) {
  Bytes frame(tag.begin(), tag.end());
  Append(frame, payload);
  return frame;
}

inline StrokeMessage SampleStroke(std::uint16_t number) {
  StrokeCounters counters;
  counters.Side = static_cast<std::uint8_t>(number % 2);
  counters.StrokeNumber = number;
  counters.ClockTicks = 500000u * number;
  counters.PaddleTicks = 450000u * number;
  counters.WaterTicks = 200000u * number;
  counters.WorkUnits = 12.5f * number;
  counters.TotalDistance = 3.25f * number;
  counters.HeartRateValue = 120;
  return EncodeStroke(counters);
}

inline Bytes StrokeFrame(std::uint16_t number) { return Frame(StrokeTag, SampleStroke(number).Bytes); }

inline PersonalData SamplePersonalData() {
  PersonalData data;
  for (std::size_t i = 0; i < data.Bytes.size(); ++i) data.Bytes[i] = static_cast<std::uint8_t>('A' + i % 26);
  return data;
}

}  // namespace veltrasko::frames

// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a stroke message and its predecessor into one stroke row, and keeps
// repeats, pauses, clock jumps, spikes and implausible strokes out of the table.
#pragma once

#include <cstdint>

#include "protocol/box_messages.h"
#include "session/stroke_table.h"

namespace veltrasko {

struct StrokeConstants {
  static constexpr double TicksPerSecond = 500000.0;
  static constexpr double SecondsPerTick = 2e-06;
  // The quarter-pi factor is written with ten decimals, not computed.
  static constexpr double WorkScale =
      static_cast<double>(static_cast<long double>(0.7853981635) * 0.7853981635 * 0.0834095 * (500000.0L * 500000.0L));
  static constexpr double PowerScale = static_cast<double>(static_cast<long double>(WorkScale) * 500000.0L);
  static constexpr double RateScale = 60.0 * 500000.0;
};

// Boxes of version 1.17 send the heart rate in fifths. The factor belongs to
// the session whose session-start frame names the version, live or on file.
inline constexpr std::int16_t HeartRateFactorOf(std::int16_t boxVersion) { return boxVersion == 117 ? 5 : 1; }

enum StrokeResult : std::int16_t {
  StrokeRepeat = 0,    // row untouched, the predecessor stays
  StrokeAccepted = 1,  // a row to count and plot
  StrokeRejected = 2,  // no row; the message becomes the predecessor
};

struct StrokeComputationState {
  std::uint32_t PaddleOffset = 0;
  std::uint32_t PreviousPaddle = 0;
  std::uint32_t PreviousClock = 0;
  float PreviousSpeed = 0.0f;
};

// One instance serves the live session and the file reader alike, so a file
// read during a session shares its state, as the box's counters demand.
class StrokeComputer {
 public:
  StrokeResult ComputeStroke(StrokeRow& row, const StrokeMessage& message, const StrokeMessage& predecessor,
                             std::int16_t heartRateFactor);

  StrokeComputationState& State() { return state_; }
  const StrokeComputationState& State() const { return state_; }

 private:
  StrokeComputationState state_;
};

}  // namespace veltrasko

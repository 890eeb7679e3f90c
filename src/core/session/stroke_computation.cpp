// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/stroke_computation.h"

namespace veltrasko {
namespace {

// The values are formed in extended precision and rounded to float only when
// a row field is stored, so live and file values agree to the bit.
using Extended = long double;

constexpr std::int32_t ShortStopMinTicks = 1500;        // 3 ms: below this is jitter
constexpr std::int32_t PauseTicks = 500000;             // 1 s: from here on a real pause
constexpr std::int32_t ClockBehindLimitTicks = 200000;  // 0.4 s
constexpr double SpikeFactor = 1.4;
constexpr double SpikeMinSpeed = 7.99;
constexpr double MinAirTime = 0.07;
constexpr double MinWaterTime = 0.1;
constexpr float SpeedAfterReset = 6.0f;

float Stored(Extended value) { return static_cast<float>(value); }

// Strokes the box counted since the predecessor; a backward or unchanged
// number (a box reset, a repeat) counts as one stroke.
std::uint32_t StrokeSpanOf(const StrokeMessage& message, const StrokeMessage& predecessor) {
  const auto span = static_cast<std::int16_t>(message.StrokeNumber() - predecessor.StrokeNumber());
  return span <= 0 ? 1u : static_cast<std::uint32_t>(span);
}

}  // namespace

StrokeResult StrokeComputer::ComputeStroke(StrokeRow& row, const StrokeMessage& message,
                                           const StrokeMessage& predecessor, std::int16_t heartRateFactor) {
  const bool firstStroke = message.StrokeNumber() == 1;
  if (firstStroke) state_ = StrokeComputationState{0, 0, 0, SpeedAfterReset};

  const std::uint32_t paddle = message.PaddleTicks() + state_.PaddleOffset;
  if (paddle == state_.PreviousPaddle) return StrokeRepeat;

  const std::uint32_t paddleDelta = paddle - state_.PreviousPaddle;
  const std::uint32_t clock = message.ClockTicks();
  const auto gap = static_cast<std::int32_t>((clock - state_.PreviousClock) - paddleDelta);
  state_.PreviousPaddle = paddle;
  state_.PreviousClock = clock;

  // A short stop of the paddle counter: move the paddle time forward by it.
  if (gap > ShortStopMinTicks && gap < PauseTicks && !firstStroke) {
    state_.PaddleOffset += static_cast<std::uint32_t>(gap);
    state_.PreviousPaddle = paddle + static_cast<std::uint32_t>(gap);
    return StrokeRejected;
  }
  // The clock fell behind the paddle counter: pull the paddle time back.
  if (gap > -ClockBehindLimitTicks && gap < -ShortStopMinTicks) {
    state_.PaddleOffset += static_cast<std::uint32_t>(gap);
    state_.PreviousClock = clock - static_cast<std::uint32_t>(gap);
    return StrokeRejected;
  }

  const std::uint32_t span = StrokeSpanOf(message, predecessor);
  const std::uint32_t period = paddleDelta / span;  // ticks per stroke
  // Fewer paddle ticks than strokes is no stroke at all; every per-stroke value divides by it.
  if (period == 0) return StrokeRejected;

  const std::uint32_t water = (message.WaterTicks() - predecessor.WaterTicks()) / span;
  const auto workDelta =
      static_cast<double>((static_cast<Extended>(message.WorkUnits()) - predecessor.WorkUnits()) / span);
  const Extended periodTicks = period;
  const Extended waterTime = static_cast<Extended>(water) * StrokeConstants::SecondsPerTick;

  row.StrokeSpan = static_cast<std::uint8_t>(span);
  row.StrokeDistance = Stored((static_cast<Extended>(message.TotalDistance()) - predecessor.TotalDistance()) / span);
  row.StrokeNumber = message.StrokeNumber();
  row.TotalDistance = message.TotalDistance();
  row.Speed = Stored(static_cast<Extended>(row.StrokeDistance) / periodTicks * StrokeConstants::TicksPerSecond);
  row.Power = Stored(static_cast<Extended>(workDelta) / periodTicks * StrokeConstants::PowerScale);
  row.Work = Stored(static_cast<Extended>(workDelta) * StrokeConstants::WorkScale);
  row.StrokeRate = Stored(static_cast<Extended>(StrokeConstants::RateScale) / periodTicks);
  row.WaterPercent = Stored(static_cast<Extended>(water * 100u) / periodTicks);
  row.StrokeTime = Stored(periodTicks * StrokeConstants::SecondsPerTick);
  row.WaterDistance = Stored(waterTime * row.Speed);
  row.AirTime = Stored(row.StrokeTime - waterTime);
  row.TotalWork = Stored(static_cast<Extended>(message.WorkUnits()) * StrokeConstants::WorkScale);
  row.PaddleTime = Stored(static_cast<Extended>(paddle) * StrokeConstants::SecondsPerTick);
  row.ClockTime = Stored(static_cast<Extended>(clock) * StrokeConstants::SecondsPerTick);
  row.HeartRate = static_cast<float>(heartRateFactor * message.HeartRateValue());
  row.Side = message.Side();

  // A speed spike needs both a jump of more than 40 % and a speed no paddler reaches.
  const Extended speed = row.Speed;
  if (static_cast<Extended>(state_.PreviousSpeed) * SpikeFactor < speed && speed > SpikeMinSpeed) {
    state_.PreviousSpeed = row.Speed;
    return StrokeRejected;
  }
  state_.PreviousSpeed = row.Speed;
  if (static_cast<Extended>(row.AirTime) < MinAirTime) return StrokeRejected;
  if (waterTime < MinWaterTime) return StrokeRejected;
  // A side byte equal to the end marker would hide this row and every later
  // one from whoever walks the table, so such a stroke is never stored.
  if (row.Side == EndMarker) return StrokeRejected;
  return StrokeAccepted;
}

}  // namespace veltrasko

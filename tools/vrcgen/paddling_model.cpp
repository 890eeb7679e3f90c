// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vrcgen/paddling_model.h"

#include <algorithm>
#include <cmath>

#include "session/stroke_computation.h"

namespace veltrasko {

namespace {

constexpr double TicksPerSecond = StrokeConstants::TicksPerSecond;

// A fault is due when its period has passed; taking it starts the period again.
bool TakeIfDue(std::uint32_t& since, std::uint32_t every) {
  if (every == 0 || since < every) return false;
  since = 0;
  return true;
}

void Count(std::uint32_t& since, std::uint32_t every) {
  if (every != 0) ++since;
}

std::uint32_t Ticks(double seconds) { return static_cast<std::uint32_t>(std::lround(seconds * TicksPerSecond)); }

}  // namespace

PaddlingModel::PaddlingModel(std::uint64_t seed, PaddlingFaults faults)
    : random_(seed),
      faults_(faults),
      rate_(random_.Uniform(90.0, 110.0)),
      speed_(random_.Uniform(3.6, 4.4)),
      heartRate_(random_.Uniform(95.0, 110.0)) {}

void PaddlingModel::ResetBox() {
  counters_ = StrokeCounters{};
  distance_ = 0.0;
  workUnits_ = 0.0;
  havePrevious_ = false;
}

StrokeEvent PaddlingModel::ChooseEvent() {
  Count(sincePause_, faults_.PauseEvery);
  Count(sinceShortStop_, faults_.ShortStopEvery);
  Count(sinceClockBehind_, faults_.ClockBehindEvery);
  Count(sinceRepeat_, faults_.RepeatEvery);
  Count(sinceSpike_, faults_.SpikeEvery);
  // The first stroke after a reset is special to the computation (it resets
  // its state there), so a fault on it would not mean what it says.
  if (!havePrevious_) return StrokeEvent::Stroke;
  // The computation has moved its paddle offset past a message whose clock
  // fell behind, so a copy of it would not read as a repeat; it waits a message.
  if (lastEvent_ != StrokeEvent::ClockBehind && TakeIfDue(sinceRepeat_, faults_.RepeatEvery))
    return StrokeEvent::Repeat;
  if (TakeIfDue(sincePause_, faults_.PauseEvery)) return StrokeEvent::AfterPause;
  if (TakeIfDue(sinceShortStop_, faults_.ShortStopEvery)) return StrokeEvent::ShortStop;
  if (TakeIfDue(sinceClockBehind_, faults_.ClockBehindEvery)) return StrokeEvent::ClockBehind;
  if (TakeIfDue(sinceSpike_, faults_.SpikeEvery)) return StrokeEvent::SpeedSpike;
  return StrokeEvent::Stroke;
}

void PaddlingModel::AdvancePace() {
  rate_ = std::clamp(rate_ + random_.Uniform(-2.0, 2.0), PaddlingRanges::MinRate, PaddlingRanges::MaxRate);
  speed_ = std::clamp(speed_ + random_.Uniform(-0.1, 0.1), PaddlingRanges::MinSpeed, PaddlingRanges::MaxSpeed);
  heartRate_ = std::clamp(heartRate_ + random_.Uniform(-1.0, 1.3), 90.0, 180.0);
}

StrokeMessage PaddlingModel::PaddleOneStroke(StrokeEvent event) {
  AdvancePace();
  const std::uint32_t period = Ticks(60.0 / rate_);
  const std::uint32_t water = static_cast<std::uint32_t>(
      std::lround(period * random_.Uniform(PaddlingRanges::MinWaterShare, PaddlingRanges::MaxWaterShare)));
  const double strokeSpeed = event == StrokeEvent::SpeedSpike ? random_.Uniform(9.0, 12.0) : speed_;

  counters_.StrokeNumber = static_cast<std::uint16_t>(counters_.StrokeNumber + 1);
  counters_.Side = static_cast<std::uint8_t>((counters_.StrokeNumber + 1) % 2);

  // A faster stroke takes more work; the left arm pulls a little less.
  const double sideFactor = counters_.Side == 1 ? 0.95 : 1.0;
  const double joules =
      std::clamp((100.0 + (speed_ - PaddlingRanges::MinSpeed) * 60.0 + random_.Uniform(-10.0, 10.0)) * sideFactor,
                 PaddlingRanges::MinWork, PaddlingRanges::MaxWork);

  std::uint32_t clockAdvance = period;
  switch (event) {
    case StrokeEvent::AfterPause: clockAdvance += random_.Between(Ticks(2.0), Ticks(20.0)); break;
    case StrokeEvent::ShortStop: clockAdvance += random_.Between(Ticks(0.004), Ticks(0.98)); break;
    // Kept small so that the shortened next stroke still has a plausible air time.
    case StrokeEvent::ClockBehind: clockAdvance -= random_.Between(Ticks(0.004), Ticks(0.04)); break;
    default: break;
  }

  // The box's counters are 32-bit and wrap, as the computation expects.
  counters_.ClockTicks += clockAdvance;
  counters_.PaddleTicks += period;
  counters_.WaterTicks += water;
  distance_ += strokeSpeed * period / TicksPerSecond;
  workUnits_ += joules / StrokeConstants::WorkScale;
  counters_.TotalDistance = static_cast<float>(distance_);
  counters_.WorkUnits = static_cast<float>(workUnits_);
  counters_.HeartRateValue = faults_.NoHeartRate ? 0 : static_cast<std::uint8_t>(std::lround(heartRate_));
  lastClockAdvance_ = clockAdvance;
  return EncodeStroke(counters_);
}

StrokeMessage PaddlingModel::NextStroke() {
  lastEvent_ = ChooseEvent();
  if (lastEvent_ == StrokeEvent::Repeat) {
    lastClockAdvance_ = 0;
    return previous_;
  }
  previous_ = PaddleOneStroke(lastEvent_);
  havePrevious_ = true;
  return previous_;
}

}  // namespace veltrasko

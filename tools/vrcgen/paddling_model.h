// SPDX-License-Identifier: GPL-3.0-or-later
// A deterministic model of a paddler on the ergometer: from a seed it yields
// the box's successive stroke messages (running counters, good checksums),
// with optional faults mixed in, for synthetic record files and for the
// simulated box alike.
#pragma once

#include <cstdint>

#include "protocol/box_messages.h"
#include "tools/vrcgen/model_random.h"

namespace veltrasko {

// What the model meant a message to be; the stroke computation decides.
enum class StrokeEvent : std::uint8_t {
  Stroke,       // a plausible stroke
  AfterPause,   // a plausible stroke after a pause of seconds: the clock ran on, the paddle stood
  ShortStop,    // the clock ran ahead of the paddle time by 3 ms .. 1 s
  ClockBehind,  // the clock fell behind the paddle time by 3 ms .. 40 ms
  Repeat,       // the previous message once more
  SpeedSpike,   // the distance jumps as if paddled at 9 .. 12 m/s
};

// How often each fault comes: every n-th message carries it, 0 means never.
// Faults due at the same message queue up and come one message after another;
// none touches the first message after a reset, so that it is a plain stroke.
struct PaddlingFaults {
  std::uint32_t PauseEvery = 0;
  std::uint32_t ShortStopEvery = 0;
  std::uint32_t ClockBehindEvery = 0;
  std::uint32_t RepeatEvery = 0;
  std::uint32_t SpikeEvery = 0;
  // No heart-rate belt: the box sends 0 as the heart rate.
  bool NoHeartRate = false;
};

// The ranges a plain stroke stays in.
struct PaddlingRanges {
  static constexpr double MinRate = 80.0;  // strokes per minute
  static constexpr double MaxRate = 120.0;
  static constexpr double MinSpeed = 3.0;  // m/s
  static constexpr double MaxSpeed = 5.0;
  static constexpr double MinWork = 100.0;  // J per stroke
  static constexpr double MaxWork = 250.0;
  static constexpr double MinWaterShare = 0.45;
  static constexpr double MaxWaterShare = 0.60;
};

class PaddlingModel {
 public:
  explicit PaddlingModel(std::uint64_t seed, PaddlingFaults faults = {});

  // As the box's 'RST' button: stroke numbers start again at 1 and every
  // counter at 0; the paddler's pace carries on.
  void ResetBox();

  // The next message the box sends.
  StrokeMessage NextStroke();

  StrokeEvent LastEvent() const { return lastEvent_; }
  // Box clock time from the previous message to the last one, in seconds:
  // when a live simulator should send it.
  double LastClockAdvanceSeconds() const { return lastClockAdvance_ / 500000.0; }

 private:
  StrokeEvent ChooseEvent();
  void AdvancePace();
  StrokeMessage PaddleOneStroke(StrokeEvent event);

  ModelRandom random_;
  PaddlingFaults faults_;
  // Messages since each fault last came; a fault is due when it reaches its period.
  std::uint32_t sincePause_ = 0;
  std::uint32_t sinceShortStop_ = 0;
  std::uint32_t sinceClockBehind_ = 0;
  std::uint32_t sinceRepeat_ = 0;
  std::uint32_t sinceSpike_ = 0;

  // The paddler's pace, drifting from stroke to stroke.
  double rate_;
  double speed_;
  double heartRate_;

  // The box's counters.
  StrokeCounters counters_;
  double distance_ = 0.0;  // exact running values; the message carries them as floats
  double workUnits_ = 0.0;
  StrokeMessage previous_;
  bool havePrevious_ = false;

  StrokeEvent lastEvent_ = StrokeEvent::Stroke;
  std::uint32_t lastClockAdvance_ = 0;
};

}  // namespace veltrasko

// The figures a FIT file gives per session of a stroke table (its laps) and
// for the whole table (its session): a session starts at row 0 and again
// wherever the total distance drops, as it does after a reset of the box.
#pragma once

#include <cstdint>
#include <vector>

#include "session/stroke_table.h"

namespace veltrasko {

// The box counts times in 32-bit ticks, which run over after about 2 h 23 min
// and start again at 0; this counts a session's times on past that.
class RunOverTime {
 public:
  double operator()(float seconds);

 private:
  float previous_ = 0;
  double added_ = 0;
};

struct StrokeSessionTotals {
  std::uint32_t FirstRow = 0;
  std::uint32_t Strokes = 0;
  double Distance = 0;    // m
  // Both counted on past the box's run-over of its tick counters.
  double PaddleTime = 0;  // s, without pauses
  double ClockTime = 0;   // s, as the export's clock column counts it
  // The clock column's origin: clock time of the first row minus its paddle time.
  double ClockOrigin = 0;
  double SumWork = 0;
  double SumStrokeTime = 0;
  double MaxSpeed = 0;
  double MaxPower = 0;
  double MaxStrokeRate = 0;
  double SumHeartRate = 0;
  std::uint32_t HeartRateRows = 0;  // rows with a heart rate
  double MaxHeartRate = 0;
  double LeftPower = 0;      // Side 1
  double OneSidedPower = 0;  // Side 0 or 1

  double AverageSpeed() const { return PaddleTime > 0 ? Distance / PaddleTime : 0; }
  double AveragePower() const { return SumStrokeTime > 0 ? SumWork / SumStrokeTime : 0; }
  double AverageStrokeRate() const { return SumStrokeTime > 0 ? 60.0 * Strokes / SumStrokeTime : 0; }
  double AverageHeartRate() const { return HeartRateRows > 0 ? SumHeartRate / HeartRateRows : 0; }
  bool HasBalance() const { return OneSidedPower > 0; }
  double LeftPercent() const { return HasBalance() ? 100.0 * LeftPower / OneSidedPower : 0; }
};

// One entry per session, in table order; none for an empty table.
std::vector<StrokeSessionTotals> SessionTotalsOf(const StrokeTable& strokes);

// The sessions together, one after the other: sums of the sums, largest of
// the largest. FirstRow and ClockOrigin are the first session's.
StrokeSessionTotals CombinedTotals(const std::vector<StrokeSessionTotals>& sessions);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// A coach's figures of each session in a stroke table: totals, averages,
// pauses, heart rate, left/right balance and 500 m splits, from the rows as
// they are stored (unaveraged). The window, the exporter and the FIT writer
// take their session numbers from here.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "session/stroke_table.h"

namespace veltrasko {

inline constexpr double SplitLength = 500.0;  // metres

struct SplitSummary {
  double Length = 0;  // SplitLength, except for a shorter last split
  double Time = 0;    // paddle time, s
  // Averages over the rows whose distance lies in the split; none when no
  // row does (a stroke that spans a whole split).
  std::optional<double> StrokeRate;  // 1/min
  std::optional<double> Power;       // W
};

struct SessionSummary {
  std::uint32_t FirstRow = 0;  // the session's first row in the table
  std::uint32_t Strokes = 0;
  double Distance = 0;  // m
  // The times are counted on past the run-over of the box's tick counters.
  double PaddleTime = 0;  // s
  double ClockTime = 0;   // s, on the export's clock scale: pauses included
  // Where that scale starts: the first row's clock time less its paddle time.
  double ClockOrigin = 0;  // s
  std::uint32_t Pauses = 0;
  double PauseTime = 0;  // s, all pauses together
  // Figures that divide by a time or a distance are absent where it is 0.
  std::optional<double> AverageSpeed;       // m/s
  double MaxSpeed = 0;                      // m/s
  std::optional<double> AveragePace;        // s per 500 m
  std::optional<double> AveragePower;       // W
  double MaxPower = 0;                      // W
  double TotalWork = 0;                     // J
  std::optional<double> AverageStrokeRate;  // 1/min
  double MaxStrokeRate = 0;                 // 1/min
  double AverageStrokeDistance = 0;         // m
  // Over the rows with a heart rate; absent when no row has one.
  std::optional<double> AverageHeartRate;
  std::optional<double> MaxHeartRate;
  // The left side's share of the power of one-sided strokes, in percent (the
  // right has the rest); absent without one-sided strokes.
  std::optional<double> LeftPowerPercent;
  std::vector<SplitSummary> Splits;

  // The sums behind the averages, so that sessions can be put together.
  double StrokeTimeSum = 0;  // s
  double HeartRateSum = 0;
  std::uint32_t HeartRateRows = 0;
  double LeftPower = 0;      // W, side 1
  double OneSidedPower = 0;  // W, side 0 or 1
};

// A clock step that exceeds the paddle step by this much is a pause.
inline constexpr double PauseThreshold = 1.0;  // s

// One summary per session of the table, in order; a session begins at row 0
// and at every row whose distance is smaller than the row before it (the box
// was reset). Empty for an empty table.
std::vector<SessionSummary> SummariseSessions(const StrokeTable& strokes);

// The sessions one after the other as one, as a FIT activity holds them:
// sums of the sums, largest of the largest, averages from the sums, no
// splits. FirstRow and ClockOrigin are the first session's.
SessionSummary CombinedSummary(const std::vector<SessionSummary>& sessions);

}  // namespace veltrasko

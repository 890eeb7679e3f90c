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
  std::uint32_t Strokes = 0;
  double Distance = 0;    // m
  double PaddleTime = 0;  // s
  double ClockTime = 0;   // s, on the export's clock scale: pauses included
  std::uint32_t Pauses = 0;
  double PauseTime = 0;  // s, all pauses together
  // Figures that divide by a time or a distance are absent where it is 0.
  std::optional<double> AverageSpeed;  // m/s
  std::optional<double> AveragePace;   // s per 500 m
  std::optional<double> AveragePower;  // W
  double MaxPower = 0;                 // W
  double TotalWork = 0;                // J
  std::optional<double> AverageStrokeRate;  // 1/min
  double AverageStrokeDistance = 0;         // m
  // Over the rows with a heart rate; absent when no row has one.
  std::optional<double> AverageHeartRate;
  std::optional<double> MaxHeartRate;
  // The left side's share of the power of one-sided strokes, in percent (the
  // right has the rest); absent without one-sided strokes.
  std::optional<double> LeftPowerPercent;
  std::vector<SplitSummary> Splits;
};

// A clock step that exceeds the paddle step by this much is a pause.
inline constexpr double PauseThreshold = 1.0;  // s

// One summary per session of the table, in order; a session begins at row 0
// and at every row whose distance is smaller than the row before it (the box
// was reset). Empty for an empty table.
std::vector<SessionSummary> SummariseSessions(const StrokeTable& strokes);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The averaging filter of the plotted stroke values and the arithmetic of
// plotting one stroke: which averaged point goes onto which of the 36 series.
// The chart code only maps these points onto its series.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "graph/plot_point.h"
#include "graph/series_catalogue.h"
#include "session/stroke_table.h"
#include "settings/user_settings.h"

namespace veltrasko {

inline constexpr std::size_t FilterSlotCount = MaxAverageFilter;
inline constexpr std::size_t MaxFilterValues = 8;

// A trailing moving average over the last N strokes (N = 1 … 10), kept in a
// ring of ten slots. Restarts when the stroke numbers start again (a new
// session or a redraw from row 0) and when N changes.
struct StrokeFilter {
  std::array<std::array<float, MaxFilterValues>, FilterSlotCount> FilterSlots{};
  std::int16_t FilterPosition = 0;
  std::int16_t FilterFilled = 0;
  std::int32_t FilterFedCount = 0;
  // The length of the last step; a different one restarts the ring, so that
  // position and fill never lie beyond the length in force.
  std::int16_t FilterLength = 0;

  // Feeds one stroke's values (at most eight) and writes their averages
  // over the last min(strokes since restart, length) strokes.
  void Step(std::uint16_t strokeNumber, std::span<const float> values, std::int16_t length, std::span<float> averages);

 private:
  void Restart();
};

// The points one stroke adds. Points[n] belongs to Series n (1 … 36; index 0
// is unused). Series 1 … 16 of Chart1 always get a point; of Chart2, the odd
// series (left side) only when LeftFed, the even ones (right side) only when
// RightFed.
struct StrokePoints {
  std::array<PlotPoint, SeriesCount + 1> Points{};
  bool LeftFed = false;
  bool RightFed = false;
  // The stroke ends a run of both-sides strokes: Chart2's last points are to
  // be thinned out to alternate sides, provided Series17 holds at least four
  // points after this stroke's points were added.
  bool TrimSides = false;

  bool HasPoint(int series) const;
};

// When the sides are trimmed, a series of pointCount points loses the points
// at these indices, deleted one after the other in this order (the second
// index counts after the first deletion).
struct SideTrim {
  int Count = 0;
  std::array<std::size_t, 2> Index{};
};
SideTrim SideTrimFor(std::size_t pointCount);

// The three filters of the graphs and the side of the last plotted stroke;
// they carry over across sessions, redraws and files.
struct PlotFilters {
  // Feeds the row through the filters and returns the points to add: the
  // arithmetic of plotting one stroke, with the speed in the chosen unit.
  StrokePoints PlotPoints(const StrokeRow& row, const UserSettings& settings);

  StrokeFilter MainFilter;
  StrokeFilter LeftFilter;
  StrokeFilter RightFilter;
  std::uint8_t PreviousSide = 0;
  float SpeedFactor = 1.0f;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/stroke_filter.h"

namespace veltrasko {
namespace {

constexpr std::uint8_t BothSides = 2;
constexpr std::uint8_t LeftSide = 1;
constexpr std::uint8_t RightSide = 0;

// The values of MainFilter, in slot order.
enum MainValue {
  MainSpeed,
  MainStrokeRate,
  MainPower,
  MainWaterPercent,
  MainWaterDistance,
  MainAirTime,
  MainHeartRate,
  MainStrokeDistance,
  MainValueCount
};
// The values of LeftFilter and RightFilter, in slot order.
enum SideValue { SidePower, SideStrokeDistance, SideWaterDistance, SideAirTime, SideWork, SideValueCount };

// Chart1: series 1 + v against distance and 9 + v against paddle time carry
// main value v, so the value order above is the series order.
constexpr int Chart1TimeOffset = 8;
// Chart2: the left series of side value v against distance; its right twin is
// the next series, and the same pair against paddle time lies 8 further on
// (work: 33/34 against distance, 35/36 against time).
constexpr std::array<int, SideValueCount> LeftDistanceSeries{17, 19, 21, 23, 33};
constexpr int Chart2TimeOffset = 8;
constexpr int WorkTimeOffset = 2;

void AddSidePoints(StrokePoints& points, const StrokeRow& row, const std::array<float, MaxFilterValues>& averages,
                   int sideOffset) {
  for (int v = 0; v < SideValueCount; ++v) {
    const int distanceSeries = LeftDistanceSeries[v] + sideOffset;
    const int timeSeries = distanceSeries + (v == SideWork ? WorkTimeOffset : Chart2TimeOffset);
    points.Points[distanceSeries] = {row.TotalDistance, averages[v]};
    points.Points[timeSeries] = {row.PaddleTime, averages[v]};
  }
}

}  // namespace

void StrokeFilter::Restart() {
  FilterPosition = 0;
  FilterFilled = 0;
  FilterFedCount = 0;
}

void StrokeFilter::Step(std::uint16_t strokeNumber, std::span<const float> values, std::int16_t length,
                        std::span<float> averages) {
  if (length != FilterLength) {
    Restart();
    FilterLength = length;
  }
  if (strokeNumber < FilterFedCount) {
    Restart();
  } else {
    ++FilterFedCount;
  }
  auto& slot = FilterSlots[static_cast<std::size_t>(FilterPosition)];
  for (std::size_t v = 0; v < values.size(); ++v) slot[v] = values[v];
  if (FilterFilled < length) ++FilterFilled;
  // Summed in slot order in single precision, so that the averages do not
  // depend on where the ring stands.
  for (std::size_t v = 0; v < values.size(); ++v) {
    float sum = 0.0f;
    for (std::int16_t s = 0; s < FilterFilled; ++s) sum += FilterSlots[static_cast<std::size_t>(s)][v];
    averages[v] = sum / static_cast<float>(FilterFilled);
  }
  if (++FilterPosition == length) FilterPosition = 0;
}

bool StrokePoints::HasPoint(int series) const {
  if (series < 1 || series > SeriesCount) return false;
  if (series <= Chart1SeriesCount) return true;
  return series % 2 == 1 ? LeftFed : RightFed;
}

SideTrim SideTrimFor(std::size_t pointCount) {
  if (pointCount >= 4) return {2, {pointCount - 4, pointCount - 3}};
  if (pointCount >= 2) return {1, {pointCount - 2, 0}};
  return {};
}

StrokePoints PlotFilters::PlotPoints(const StrokeRow& row, const UserSettings& settings) {
  SpeedFactor = settings.SpeedFactor();
  // Never more than the ring holds, whatever a hand-edited file says.
  const std::int16_t length = settings.FilterLength();
  StrokePoints points;

  const std::array<float, MainValueCount> mainValues{row.Speed,        row.StrokeRate,    row.Power,
                                                     row.WaterPercent, row.WaterDistance, row.AirTime,
                                                     row.HeartRate,    row.StrokeDistance};
  std::array<float, MaxFilterValues> averages{};
  MainFilter.Step(row.StrokeNumber, mainValues, length, averages);
  for (int v = 0; v < MainValueCount; ++v) {
    // The speed is scaled after averaging, in double precision.
    const double y = v == MainSpeed ? static_cast<double>(averages[v]) * static_cast<double>(SpeedFactor)
                                    : static_cast<double>(averages[v]);
    points.Points[1 + v] = {row.TotalDistance, y};
    points.Points[1 + v + Chart1TimeOffset] = {row.PaddleTime, y};
  }

  const std::array<float, SideValueCount> sideValues{row.Power, row.StrokeDistance, row.WaterDistance, row.AirTime,
                                                     row.Work};
  if (row.Side == LeftSide || row.Side == BothSides) {
    LeftFilter.Step(row.StrokeNumber, sideValues, length, averages);
    AddSidePoints(points, row, averages, 0);
    points.LeftFed = true;
  }
  if (row.Side == RightSide || row.Side == BothSides) {
    RightFilter.Step(row.StrokeNumber, sideValues, length, averages);
    AddSidePoints(points, row, averages, 1);
    points.RightFed = true;
  }

  points.TrimSides = row.Side != BothSides && PreviousSide == BothSides;
  PreviousSide = row.Side;
  return points;
}

}  // namespace veltrasko

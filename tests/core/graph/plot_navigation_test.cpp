// SPDX-License-Identifier: GPL-3.0-or-later
// Moving about a graph: the nearest stroke to the pointer, zooming about a
// point, panning, and the readout box's text.
#include "graph/plot_navigation.h"

#include <gtest/gtest.h>

#include <vector>

#include "graph/plotted_strokes.h"
#include "graph/point_readout_text.h"

namespace veltrasko {
namespace {

std::ptrdiff_t Nearest(const std::vector<double>& keys, double x) {
  return NearestKeyIndex(static_cast<std::ptrdiff_t>(keys.size()), x,
                         [&keys](std::ptrdiff_t i) { return keys[static_cast<std::size_t>(i)]; });
}

TEST(PlotNavigation, NearestKeyBySearchingTheSortedKeys) {
  EXPECT_EQ(Nearest({}, 5), -1);
  const std::vector<double> keys{10, 20, 20, 40};
  EXPECT_EQ(Nearest(keys, -100), 0);
  EXPECT_EQ(Nearest(keys, 1000), 3);
  EXPECT_EQ(Nearest(keys, 14.9), 0);
  EXPECT_EQ(Nearest(keys, 15), 0);  // halfway: the earlier
  EXPECT_EQ(Nearest(keys, 20), 1);  // the first of equal keys
  EXPECT_EQ(Nearest(keys, 31), 3);
  EXPECT_EQ(Nearest({7}, -3), 0);

  // Each probe of a 100000-key search stays within its bounds and few.
  std::vector<double> many(100000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<double>(i) * 2.5;
  int probes = 0;
  const auto index = NearestKeyIndex(100000, 12345.0, [&](std::ptrdiff_t i) {
    ++probes;
    return many.at(static_cast<std::size_t>(i));
  });
  EXPECT_EQ(index, 4938);
  EXPECT_LE(probes, 20);
}

TEST(PlotNavigation, ZoomKeepsThePointUnderThePointer) {
  const AxisRange range{100, 300};
  const AxisRange zoomed = ZoomedAbout(range, 150, 0.5);
  EXPECT_DOUBLE_EQ(zoomed.Lower, 125);
  EXPECT_DOUBLE_EQ(zoomed.Upper, 225);
  EXPECT_LT(WheelZoomFactor(1), 1);
  EXPECT_GT(WheelZoomFactor(-1), 1);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(2), WheelZoomFactor(1) * WheelZoomFactor(1));
  // One notch in and one out come back to where they were.
  const AxisRange back = ZoomedAbout(ZoomedAbout(range, 150, WheelZoomFactor(1)), 150, WheelZoomFactor(-1));
  EXPECT_NEAR(back.Lower, 100, 1e-9);
  EXPECT_NEAR(back.Upper, 300, 1e-9);
  // Beyond what labels can tell apart, or nonsense, nothing changes.
  EXPECT_EQ(ZoomedAbout(range, 150, 1e-12), range);
  EXPECT_EQ(ZoomedAbout(range, 150, 1e20), range);
  EXPECT_EQ(ZoomedAbout(range, 150, 0), range);
  EXPECT_EQ(ZoomedAbout(range, 150, -1), range);
}

TEST(PlotNavigation, PanCarriesTheRangeWithThePointer) {
  const AxisRange range{0, 200};
  EXPECT_EQ(PannedBy(range, 100, 400), (AxisRange{-50, 150}));
  EXPECT_EQ(PannedBy(range, -40, 400), (AxisRange{20, 220}));
  EXPECT_EQ(PannedBy(range, 100, 0), range);
}

StrokeRow Row(std::uint16_t number, float distance, float time) {
  StrokeRow row;
  row.StrokeNumber = number;
  row.TotalDistance = distance;
  row.PaddleTime = time;
  return row;
}

TEST(PlottedStrokes, NearestByEitherKeyAlsoAcrossSessionsOfAFile) {
  PlottedStrokes strokes;
  EXPECT_EQ(strokes.Nearest(StrokeKey::Distance, 5), nullptr);
  strokes.Add(Row(1, 10, 3));
  strokes.Add(Row(2, 20, 6));
  EXPECT_EQ(strokes.Nearest(StrokeKey::Distance, 16)->StrokeNumber, 2);
  EXPECT_EQ(strokes.Nearest(StrokeKey::Time, 4)->StrokeNumber, 1);
  // A second session starts its keys again; strokes added after a lookup
  // are found too.
  strokes.Add(Row(1, 2, 1));
  strokes.Add(Row(2, 30, 9));
  EXPECT_EQ(strokes.Nearest(StrokeKey::Distance, 3)->Distance, 2);
  EXPECT_EQ(strokes.Nearest(StrokeKey::Distance, 29)->StrokeNumber, 2);
  EXPECT_EQ(strokes.Nearest(StrokeKey::Time, 8.9)->Time, 9);
  EXPECT_EQ(strokes.Nearest(StrokeKey::Time, 2.9)->Time, 3);
  strokes.Clear();
  EXPECT_EQ(strokes.Nearest(StrokeKey::Time, 3), nullptr);
  strokes.Add(Row(5, 50, 20));
  EXPECT_EQ(strokes.Nearest(StrokeKey::Time, 3)->StrokeNumber, 5);
}

TEST(PointReadoutText, StrokeThenValuesInTheWordsOfTheTips) {
  const PlottedStroke stroke{17, 1234.56f, 300.04f};
  const std::vector<ReadoutValue> values{{1, 14.42}, {7, 61.6}, {18, 201}};
  EXPECT_EQ(PointReadoutText(stroke, values, SpeedUnitCode::KilometresPerHour),
            "Stroke: 17\nDistance: 1234.6 Meters\nTime: 300.0 Seconds\nSpeed: 14.4 KM/H\n"
            "Heart rate 62 Strokes/min.\nPower - Right: 201.0 Watts");
  EXPECT_EQ(PointReadoutText(stroke, std::vector<ReadoutValue>{{9, 4.0}}, SpeedUnitCode::MetresPerSecond),
            "Stroke: 17\nDistance: 1234.6 Meters\nTime: 300.0 Seconds\nSpeed: 4.00 M/S");
}

}  // namespace
}  // namespace veltrasko

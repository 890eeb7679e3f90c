// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/stroke_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrasko {
namespace {

UserSettings SettingsWith(std::uint8_t averageFilter, SpeedUnitCode speedUnit = SpeedUnitCode::MetresPerSecond) {
  UserSettings settings = UserSettings::Defaults();
  settings.SetAverageFilter(averageFilter);
  settings.SetSpeedUnit(speedUnit);
  return settings;
}

// A row whose values are all different, so a value on the wrong series shows.
StrokeRow Row(std::uint16_t number, std::uint8_t side, float base = 0) {
  StrokeRow row;
  row.Side = side;
  row.StrokeNumber = number;
  row.StrokeSpan = 1;
  row.TotalDistance = 10.0f * number;
  row.PaddleTime = 2.0f * number;
  row.Speed = base + 1;
  row.StrokeRate = base + 2;
  row.Power = base + 3;
  row.WaterPercent = base + 4;
  row.WaterDistance = base + 5;
  row.AirTime = base + 6;
  row.HeartRate = base + 7;
  row.StrokeDistance = base + 8;
  row.Work = base + 9;
  return row;
}

StrokeRow PowerRow(std::uint16_t number, float power, std::uint8_t side = 2) {
  StrokeRow row = Row(number, side);
  row.Power = power;
  return row;
}

// The y values that series 3 (power against distance) receives.
std::vector<double> PowerPoints(PlotFilters& filters, const std::vector<StrokeRow>& rows,
                                const UserSettings& settings) {
  std::vector<double> ys;
  for (const StrokeRow& row : rows) ys.push_back(filters.PlotPoints(row, settings).Points[3].Y);
  return ys;
}

TEST(StrokeFilterTest, FourStrokeAverageGrowsToItsLength) {
  PlotFilters filters;
  const auto ys =
      PowerPoints(filters, {PowerRow(1, 100), PowerRow(2, 200), PowerRow(3, 300), PowerRow(4, 400), PowerRow(5, 500)},
                  SettingsWith(4));
  EXPECT_EQ(ys, (std::vector<double>{100, 150, 200, 250, 350}));
}

TEST(StrokeFilterTest, NoFilterPlotsEveryValueOnItsSeries) {
  PlotFilters filters;
  filters.PlotPoints(Row(1, 2, 50), SettingsWith(1));
  const StrokeRow row = Row(2, 2);
  const StrokePoints points = filters.PlotPoints(row, SettingsWith(1));
  // Chart1: speed, rate, power, water %, water distance, air time, heart rate, stroke distance.
  const double chart1[] = {1, 2, 3, 4, 5, 6, 7, 8};
  for (int v = 0; v < 8; ++v) {
    EXPECT_EQ(points.Points[1 + v].Y, chart1[v]) << "series " << 1 + v;
    EXPECT_EQ(points.Points[1 + v].X, row.TotalDistance);
    EXPECT_EQ(points.Points[9 + v].Y, chart1[v]) << "series " << 9 + v;
    EXPECT_EQ(points.Points[9 + v].X, row.PaddleTime);
  }
  // Chart2 pairs (left, right): power, stroke distance, water distance, air time against
  // distance (17 …) and against time (25 …); work against distance 33/34, time 35/36.
  struct Pair {
    int left;
    double value;
    bool againstTime;
  };
  const Pair chart2[] = {{17, 3, false}, {19, 8, false}, {21, 5, false}, {23, 6, false}, {25, 3, true},
                         {27, 8, true},  {29, 5, true},  {31, 6, true},  {33, 9, false}, {35, 9, true}};
  for (const Pair& p : chart2) {
    for (int series : {p.left, p.left + 1}) {
      EXPECT_TRUE(points.HasPoint(series));
      EXPECT_EQ(points.Points[series].Y, p.value) << "series " << series;
      EXPECT_EQ(points.Points[series].X, p.againstTime ? row.PaddleTime : row.TotalDistance) << "series " << series;
    }
  }
}

TEST(StrokeFilterTest, SpeedIsScaledAfterAveragingOnly) {
  StrokeRow row = Row(1, 2);
  row.Speed = 4.0f;
  PlotFilters kmh;
  const StrokePoints points = kmh.PlotPoints(row, SettingsWith(1, SpeedUnitCode::KilometresPerHour));
  EXPECT_EQ(kmh.SpeedFactor, 3.6f);
  EXPECT_EQ(points.Points[1].Y, 4.0 * static_cast<double>(3.6f));
  EXPECT_NEAR(points.Points[1].Y, 14.4, 1e-5);
  EXPECT_EQ(points.Points[9].Y, points.Points[1].Y);
  EXPECT_EQ(points.Points[2].Y, row.StrokeRate);
  EXPECT_EQ(points.Points[10].Y, row.StrokeRate);

  PlotFilters ms;
  EXPECT_EQ(ms.PlotPoints(row, SettingsWith(1, SpeedUnitCode::MetresPerSecond)).Points[1].Y, 4.0);
  EXPECT_EQ(ms.SpeedFactor, 1.0f);
}

TEST(StrokeFilterTest, RedrawFromTheFirstRowRestartsTheAverages) {
  PlotFilters filters;
  const UserSettings settings = SettingsWith(4);
  for (std::uint16_t n = 1; n <= 300; ++n) filters.PlotPoints(PowerRow(n, 1000), settings);
  EXPECT_EQ(filters.MainFilter.FilterFedCount, 300);
  EXPECT_EQ(filters.PlotPoints(PowerRow(1, 100), settings).Points[3].Y, 100);
  EXPECT_EQ(filters.MainFilter.FilterFedCount, 0);
  EXPECT_EQ(filters.PlotPoints(PowerRow(2, 200), settings).Points[3].Y, 150);
}

TEST(StrokeFilterTest, ShortRunIsNotRestartedByTheNextSession) {
  // After one stroke the fed count is 1, so a new session's stroke 1 is not
  // below it and the averaging runs on across the sessions.
  PlotFilters filters;
  const UserSettings settings = SettingsWith(4);
  filters.PlotPoints(PowerRow(1, 100), settings);
  EXPECT_EQ(filters.PlotPoints(PowerRow(1, 300), settings).Points[3].Y, 200);
}

TEST(StrokeFilterTest, RightStrokeLeavesTheLeftSideUntouched) {
  PlotFilters filters;
  const UserSettings settings = SettingsWith(4);
  filters.PlotPoints(Row(1, 1), settings);
  const StrokeFilter leftBefore = filters.LeftFilter;
  const StrokePoints points = filters.PlotPoints(Row(2, 0), settings);
  EXPECT_FALSE(points.LeftFed);
  EXPECT_TRUE(points.RightFed);
  EXPECT_FALSE(points.HasPoint(17));
  EXPECT_FALSE(points.HasPoint(35));
  EXPECT_TRUE(points.HasPoint(18));
  EXPECT_TRUE(points.HasPoint(36));
  EXPECT_TRUE(points.HasPoint(16));
  EXPECT_FALSE(points.HasPoint(0));
  EXPECT_FALSE(points.HasPoint(37));
  EXPECT_EQ(filters.LeftFilter.FilterFedCount, leftBefore.FilterFedCount);
  EXPECT_EQ(filters.LeftFilter.FilterPosition, leftBefore.FilterPosition);
  EXPECT_EQ(filters.LeftFilter.FilterSlots, leftBefore.FilterSlots);
  EXPECT_EQ(filters.PreviousSide, 0);
}

TEST(StrokeFilterTest, AlternatingSidesAverageEachSideOverItsOwnStrokes) {
  PlotFilters filters;
  const UserSettings settings = SettingsWith(4);
  StrokePoints points;
  for (std::uint16_t n = 1; n <= 10; ++n) points = filters.PlotPoints(PowerRow(n, 10.0f * n, n % 2), settings);
  // Stroke 10 is right (side 0): right strokes 4, 6, 8, 10; the left ones were 3, 5, 7, 9.
  EXPECT_EQ(points.Points[18].Y, (40 + 60 + 80 + 100) / 4.0);
  EXPECT_EQ(points.Points[3].Y, (70 + 80 + 90 + 100) / 4.0);
  points = filters.PlotPoints(PowerRow(11, 110, 1), settings);
  EXPECT_EQ(points.Points[17].Y, (50 + 70 + 90 + 110) / 4.0);
}

TEST(StrokeFilterTest, RunningSumIsSinglePrecisionInSlotOrder) {
  StrokeFilter filter;
  float average = 0;
  const float values[] = {1e8f, 1.0f, -1e8f};
  for (std::uint16_t n = 0; n < 3; ++n) filter.Step(n + 1, std::span(&values[n], 1), 4, std::span(&average, 1));
  EXPECT_EQ(average, 0.0f) << "a double sum would give 1/3";

  // Once the ring wraps, slot 0 holds the newest stroke and is still summed first:
  // -1e8 + 1e8 + 1 + 1 = 2, where the strokes' own order would give 0.
  StrokeFilter ring;
  const float strokes[] = {0.0f, 1e8f, 1.0f, 1.0f, -1e8f};
  for (std::uint16_t n = 0; n < 5; ++n) ring.Step(n + 1, std::span(&strokes[n], 1), 4, std::span(&average, 1));
  EXPECT_EQ(average, 0.5f);
}

TEST(StrokeFilterTest, LengthChangeRestartsWithinTheNewLength) {
  PlotFilters filters;
  for (std::uint16_t n = 1; n <= 9; ++n) filters.PlotPoints(PowerRow(n, 100), SettingsWith(10));
  EXPECT_EQ(filters.MainFilter.FilterPosition, 9);
  EXPECT_EQ(filters.MainFilter.FilterFilled, 9);
  const UserSettings two = SettingsWith(2);
  EXPECT_EQ(filters.PlotPoints(PowerRow(10, 300), two).Points[3].Y, 300);
  EXPECT_EQ(filters.PlotPoints(PowerRow(11, 500), two).Points[3].Y, 400);
  EXPECT_EQ(filters.PlotPoints(PowerRow(12, 700), two).Points[3].Y, 600);
  for (const StrokeFilter* f : {&filters.MainFilter, &filters.LeftFilter, &filters.RightFilter}) {
    EXPECT_LT(f->FilterPosition, 2);
    EXPECT_LE(f->FilterFilled, 2);
  }
  // Back to ten: a fresh average again.
  EXPECT_EQ(filters.PlotPoints(PowerRow(13, 100), SettingsWith(10)).Points[3].Y, 100);
}

TEST(StrokeFilterTest, InvalidLengthsFallBackToFour) {
  EXPECT_EQ(SettingsWith(0).FilterLength(), 4);
  EXPECT_EQ(SettingsWith(11).FilterLength(), 4);
  EXPECT_EQ(SettingsWith(255).FilterLength(), 4);
  EXPECT_EQ(SettingsWith(10).FilterLength(), 10);
  EXPECT_EQ(SettingsWith(3).FilterLength(), 3);
  EXPECT_EQ(SettingsWith(1).FilterLength(), 1);
  for (std::uint8_t stored : {0, 11, 200}) {
    PlotFilters filters;
    const auto ys =
        PowerPoints(filters, {PowerRow(1, 100), PowerRow(2, 200), PowerRow(3, 300), PowerRow(4, 400), PowerRow(5, 500)},
                    SettingsWith(stored));
    EXPECT_EQ(ys, (std::vector<double>{100, 150, 200, 250, 350})) << int(stored);
    EXPECT_LT(filters.MainFilter.FilterPosition, 4);
  }
}

TEST(StrokeFilterTest, SideTrimIndices) {
  EXPECT_EQ(SideTrimFor(0).Count, 0);
  EXPECT_EQ(SideTrimFor(1).Count, 0);
  const SideTrim two = SideTrimFor(2);
  EXPECT_EQ(two.Count, 1);
  EXPECT_EQ(two.Index[0], 0u);
  const SideTrim three = SideTrimFor(3);
  EXPECT_EQ(three.Count, 1);
  EXPECT_EQ(three.Index[0], 1u);
  const SideTrim seven = SideTrimFor(7);
  EXPECT_EQ(seven.Count, 2);
  EXPECT_EQ(seven.Index[0], 3u);  // the fourth-last
  EXPECT_EQ(seven.Index[1], 4u);  // the second-last of the six left
}

// Plots the sides into plain lists the way the chart does, trimming included,
// and returns the stroke numbers left on series 17 (left) and 18 (right).
struct SideLines {
  std::vector<double> Left;
  std::vector<double> Right;
};
SideLines PlotSides(const std::vector<std::uint8_t>& sides) {
  PlotFilters filters;
  std::vector<std::vector<double>> chart2(SeriesCount + 1);
  std::uint16_t number = 0;
  for (std::uint8_t side : sides) {
    const StrokePoints points = filters.PlotPoints(Row(++number, side), SettingsWith(1));
    for (int s = Chart1SeriesCount + 1; s <= SeriesCount; ++s)
      if (points.HasPoint(s)) chart2[s].push_back(number);
    if (!points.TrimSides || chart2[17].size() < 4) continue;
    for (int s = Chart1SeriesCount + 1; s <= SeriesCount; ++s) {
      const SideTrim trim = SideTrimFor(chart2[s].size());
      for (int i = 0; i < trim.Count; ++i) chart2[s].erase(chart2[s].begin() + static_cast<long>(trim.Index[i]));
    }
  }
  EXPECT_EQ(chart2[17], chart2[35]);
  EXPECT_EQ(chart2[18], chart2[36]);
  return {chart2[17], chart2[18]};
}

TEST(StrokeFilterTest, BothSidesStrokesAlternateOnceTheSideIsKnown) {
  const SideLines left = PlotSides({2, 2, 2, 2, 1});
  EXPECT_EQ(left.Left, (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(left.Right, (std::vector<double>{2, 4}));

  const SideLines right = PlotSides({2, 2, 2, 2, 0});
  EXPECT_EQ(right.Right, (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(right.Left, (std::vector<double>{2, 4}));

  const SideLines tooFew = PlotSides({2, 2, 1});
  EXPECT_EQ(tooFew.Left, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(tooFew.Right, (std::vector<double>{1, 2}));

  const SideLines known = PlotSides({1, 0, 1, 0, 1});
  EXPECT_EQ(known.Left, (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(known.Right, (std::vector<double>{2, 4}));
}

TEST(StrokeFilterTest, TrimIsAskedOnlyWhenASideFollowsBothSides) {
  PlotFilters filters;
  const UserSettings settings = SettingsWith(1);
  EXPECT_FALSE(filters.PlotPoints(Row(1, 2), settings).TrimSides);
  EXPECT_FALSE(filters.PlotPoints(Row(2, 2), settings).TrimSides);
  EXPECT_TRUE(filters.PlotPoints(Row(3, 0), settings).TrimSides);
  EXPECT_FALSE(filters.PlotPoints(Row(4, 1), settings).TrimSides);
  EXPECT_EQ(filters.PreviousSide, 1);
}

}  // namespace
}  // namespace veltrasko

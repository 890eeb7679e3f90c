// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "graph_fixture.h"

namespace veltrasko {
namespace {

using PlottingTest = GraphTest;

constexpr std::uint8_t Right = 0;
constexpr std::uint8_t Left = 1;
constexpr std::uint8_t Both = 2;

TEST_F(PlottingTest, RightStrokeFeedsChart1AndTheRightLinesOnly) {
  PlotLive(MakeRow(1, Right, 10, 3));
  for (int number = 1; number <= 16; ++number) EXPECT_EQ(Count(number), 1) << "Series" << number;
  for (int number = 17; number <= SeriesCount; ++number)
    EXPECT_EQ(Count(number), number % 2 == 0 ? 1 : 0) << "Series" << number;
  EXPECT_EQ(Xs(Graphs().Series(3)), std::vector<double>{10});
  EXPECT_EQ(Xs(Graphs().Series(11)), std::vector<double>{3});
}

TEST_F(PlottingTest, EachSeriesGetsItsOwnValue) {
  core_->EditSettings().SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  PlotLive(MakeRow(1, Both, 10, 3));
  const std::vector<std::pair<int, double>> expected{{1, 4.0},  {2, 90},   {3, 200},   {4, 60},   {5, 1.5},
                                                     {6, 0.25}, {7, 120},  {8, 2.5},   {17, 200}, {18, 200},
                                                     {19, 2.5}, {21, 1.5}, {23, 0.25}, {33, 150}, {34, 150}};
  for (const auto& [number, y] : expected) {
    EXPECT_EQ(Ys(Graphs().Series(number)), std::vector<double>{y}) << "Series" << number;
    const int timeCopy = number <= 8 ? number + 8 : number <= 24 ? number + 8 : number + 2;
    EXPECT_EQ(Ys(Graphs().Series(timeCopy)), std::vector<double>{y}) << "Series" << timeCopy;
  }
}

TEST_F(PlottingTest, AveragesOverTheLastStrokes) {
  core_->EditSettings().SetAverageFilter(4);
  const float powers[] = {100, 200, 300, 400, 500};
  for (int i = 0; i < 5; ++i) {
    StrokeRow row = MakeRow(static_cast<std::uint16_t>(i + 1), Right, 10.0f * i, 2.0f * i);
    row.Power = powers[i];
    PlotLive(row);
  }
  const std::vector<double> expected{100, 150, 200, 250, 350};
  EXPECT_EQ(Ys(Graphs().Series(3)), expected);
  EXPECT_EQ(Ys(Graphs().Series(11)), expected);
  EXPECT_EQ(Ys(Graphs().Series(18)), expected);
}

TEST_F(PlottingTest, SpeedIsScaledToKilometresPerHour) {
  PlotLive(MakeRow(1, Right, 10, 3));
  EXPECT_NEAR(Ys(Graphs().Series(1)).at(0), 14.4, 1e-5);
  EXPECT_NEAR(Ys(Graphs().Series(9)).at(0), 14.4, 1e-5);
  EXPECT_EQ(Ys(Graphs().Series(2)).at(0), 90);
}

// Stroke n of the run lies at 10 n metres and n seconds.
void PlotSides(StrokeGraphs& graphs, std::initializer_list<std::uint8_t> sides) {
  std::uint16_t number = 0;
  for (std::uint8_t side : sides) {
    ++number;
    graphs.PlotStroke(MakeRow(number, side, 10.0f * number, 1.0f * number));
  }
  graphs.UpdateAxes();
}

TEST_F(PlottingTest, BothSidedRunEndedByLeftAlternatesTheSides) {
  PlotSides(Graphs(), {Both, Both, Both, Both, Left});
  for (int number = 17; number <= SeriesCount; ++number) {
    const std::vector<double> expected =
        number % 2 == 1 ? std::vector<double>{10, 30, 50} : std::vector<double>{20, 40};
    const bool timeSeries = (number >= 25 && number <= 32) || number >= 35;
    std::vector<double> xs = Xs(Graphs().Series(number));
    if (timeSeries)
      for (double& x : xs) x *= 10;
    EXPECT_EQ(xs, expected) << "Series" << number;
  }
  EXPECT_EQ(Count(1), 5);
}

TEST_F(PlottingTest, BothSidedRunEndedByRightAlternatesTheSides) {
  PlotSides(Graphs(), {Both, Both, Both, Both, Right});
  EXPECT_EQ(Xs(Graphs().Series(18)), (std::vector<double>{10, 30, 50}));
  EXPECT_EQ(Xs(Graphs().Series(17)), (std::vector<double>{20, 40}));
  EXPECT_EQ(Xs(Graphs().Series(36)), (std::vector<double>{1, 3, 5}));
}

TEST_F(PlottingTest, ShortBothSidedRunIsNotTrimmed) {
  PlotSides(Graphs(), {Both, Both, Left});
  EXPECT_EQ(Count(17), 3);
  EXPECT_EQ(Count(18), 2);
}

TEST_F(PlottingTest, SecondSessionIsInsertedAmongTheFirstInXOrder) {
  StrokeGraphs& graphs = Graphs();
  for (std::uint16_t i = 1; i <= 4; ++i) {
    StrokeRow row = MakeRow(i, Right, 10.0f * i, 1.0f * i);
    row.Power = i;
    graphs.PlotStroke(row);
  }
  // The box was reset: stroke numbers, distance and time start again.
  for (std::uint16_t i = 1; i <= 3; ++i) {
    StrokeRow row = MakeRow(i, Right, 10.0f * i + 5, 1.0f * i);
    row.Power = 100 + i;
    graphs.PlotStroke(row);
  }
  graphs.UpdateAxes();
  EXPECT_EQ(Xs(graphs.Series(3)), (std::vector<double>{10, 15, 20, 25, 30, 35, 40}));
  EXPECT_EQ(Ys(graphs.Series(3)), (std::vector<double>{1, 101, 2, 102, 3, 103, 4}));
  // Equal times: the later stroke comes after the earlier one.
  EXPECT_EQ(Ys(graphs.Series(11)), (std::vector<double>{1, 101, 2, 102, 3, 103, 4}));
}

TEST_F(PlottingTest, StrokeWithoutProgressComesAfterTheEarlierOne) {
  StrokeGraphs& graphs = Graphs();
  for (std::uint16_t i = 1; i <= 3; ++i) {
    StrokeRow row = MakeRow(i, Right, 10, 1);
    row.Power = i;
    PlotLive(row);
  }
  EXPECT_EQ(Ys(graphs.Series(3)), (std::vector<double>{1, 2, 3}));
}

TEST_F(PlottingTest, ClearingEmptiesEverySeriesButKeepsTheRest) {
  StrokeGraphs& graphs = Graphs();
  PlotLive(MakeRow(1, Both, 10, 1));
  graphs.ClearGraphs();
  for (int number = 1; number <= SeriesCount; ++number) EXPECT_EQ(Count(number), 0);
  EXPECT_TRUE(graphs.Series(1).visible());
  EXPECT_EQ(graphs.Series(17).name(), "Power - Left [W]");
}

}  // namespace
}  // namespace veltrasko

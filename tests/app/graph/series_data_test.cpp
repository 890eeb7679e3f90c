// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/series_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace veltrasko {
namespace {

std::vector<std::pair<double, double>> PointsIn(const SeriesData& data) {
  std::vector<std::pair<double, double>> points;
  for (auto point = data.constBegin(); point != data.constEnd(); ++point) points.emplace_back(point->key, point->value);
  return points;
}

TEST(SeriesDataTest, PointsEndInXOrderWithEqualXInArrivalOrder) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> key(0, 40);
  for (int round = 0; round < 50; ++round) {
    SeriesData data(16);
    std::vector<std::pair<double, double>> arrived;
    std::vector<QCPGraphData> scratch;
    for (int i = 0; i < 200; ++i) {
      const double x = key(random);
      data.Append(x, i);
      arrived.emplace_back(x, i);
      if (i % 37 == 0) data.Normalise(scratch);  // sorted now and then, as replots do
    }
    data.Normalise(scratch);
    std::stable_sort(arrived.begin(), arrived.end(), [](auto& a, auto& b) { return a.first < b.first; });
    EXPECT_EQ(PointsIn(data), arrived);
    EXPECT_TRUE(data.Normalised());
  }
}

TEST(SeriesDataTest, RemovingAPointRefreshesTheValueSpan) {
  SeriesData data(8);
  std::vector<QCPGraphData> scratch;
  for (double y : {5.0, 1.0, 9.0, 3.0}) data.Append(data.size(), y);
  double lowest = 0;
  double highest = 0;
  ASSERT_TRUE(data.ValueSpan(lowest, highest));
  EXPECT_EQ(lowest, 1.0);
  EXPECT_EQ(highest, 9.0);
  data.RemoveAt(2);
  ASSERT_TRUE(data.ValueSpan(lowest, highest));
  EXPECT_EQ(highest, 5.0);
  EXPECT_EQ(data.LargestX(), 3.0);
  data.Append(10, std::nan(""));
  ASSERT_TRUE(data.ValueSpan(lowest, highest));
  EXPECT_EQ(lowest, 1.0);
  data.RemoveAll();
  EXPECT_FALSE(data.ValueSpan(lowest, highest));
  EXPECT_EQ(data.LargestX(), 0.0);
}

}  // namespace
}  // namespace veltrasko

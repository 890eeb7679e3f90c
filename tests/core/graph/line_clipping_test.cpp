// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/line_clipping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace veltrasko {
namespace {

constexpr PlotArea Area{0, 20, 0, 10};
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// "x,y" for each point, "x,gap" for a gap.
std::vector<std::string> Written(const std::vector<PlotPoint>& points) {
  std::vector<std::string> texts;
  for (const PlotPoint& point : points) {
    texts.push_back(std::to_string(static_cast<int>(point.X)) + "," +
                    (std::isnan(point.Y) ? std::string("gap") : std::to_string(static_cast<int>(point.Y))));
  }
  return texts;
}

std::vector<std::string> Clipped(const std::vector<PlotPoint>& points) { return Written(ClipLine(points, Area)); }

TEST(LineClippingTest, LineLeavingTheAreaEndsAtItsEdgeAndGoesOnWhereItComesBack) {
  EXPECT_EQ(Clipped({{0, 0}, {10, 20}, {20, 0}}), (std::vector<std::string>{"0,0", "5,10", "5,gap", "15,10", "20,0"}));
  // Entering from the left and leaving through the right edge; a point on an edge is inside.
  EXPECT_EQ(Clipped({{-10, 5}, {10, 5}, {30, 5}}), (std::vector<std::string>{"0,5", "10,5", "20,5"}));
  EXPECT_EQ(Clipped({{0, 10}, {20, 10}}), (std::vector<std::string>{"0,10", "20,10"}));
  // A segment that only crosses a corner region outside, and one passing straight through.
  EXPECT_EQ(Clipped({{2, 2}, {4, -10}, {30, -10}, {30, 5}}), (std::vector<std::string>{"2,2", "2,0"}));
  EXPECT_EQ(Clipped({{-10, -5}, {30, 15}}), (std::vector<std::string>{"0,0", "20,10"}));
}

TEST(LineClippingTest, OutsidePointsAndBrokenLinesDrawNothingThere) {
  EXPECT_TRUE(Clipped({{-5, 50}, {25, 50}}).empty());
  EXPECT_TRUE(Clipped({}).empty());
  EXPECT_EQ(Clipped({{5, 5}}), (std::vector<std::string>{"5,5"}));
  EXPECT_TRUE(Clipped({{5, 50}}).empty());
  EXPECT_EQ(Clipped({{0, 1}, {2, 1}, {4, NaN}, {6, 1}, {8, 1}}),
            (std::vector<std::string>{"0,1", "2,1", "2,gap", "6,1", "8,1"}));
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/axis_label_ticker.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrasko {
namespace {

TEST(AxisLabelTickerTest, GroupsThousandsAndDropsTrailingZeros) {
  EXPECT_EQ(GroupedNumberText(1234567.25, 1), "1,234,567.3");
  EXPECT_EQ(GroupedNumberText(1000, 2), "1,000");
  EXPECT_EQ(GroupedNumberText(0.5, 1), "0.5");
  EXPECT_EQ(GroupedNumberText(-1234.5, 2), "-1,234.5");
  EXPECT_EQ(GroupedNumberText(-0.01, 1), "0");
  EXPECT_EQ(GroupedNumberText(999.96, 1), "1,000");
}

class VisibleTicker : public AxisLabelTicker {
 public:
  using AxisLabelTicker::getTickStep;
};

TEST(AxisLabelTickerTest, StepsShowExactlyInTheDecimalsShown) {
  VisibleTicker ticker;
  for (double span = 0.03; span < 200; span *= 1.07) {
    ticker.SetDecimals(1);
    const double step = ticker.getTickStep(QCPRange(1.7, 1.7 + span));
    EXPECT_GE(step, 0.1 - 1e-12);
    EXPECT_NEAR(std::round(step * 10), step * 10, 1e-9) << "span " << span;
    ticker.SetDecimals(2);
    EXPECT_GE(ticker.getTickStep(QCPRange(1.7, 1.7 + span)), 0.01 - 1e-12);
  }
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The rectangle zoom in four steps, its undo, and the label format of the
// vertical axes that goes with each.
#include <QCheckBox>

#include "graph/axis_label_ticker.h"
#include "graph/zoom_animation.h"
#include "tips_fixture.h"

namespace veltrasko {
namespace {

class ZoomTest : public ShownGraphTest {
 protected:
  QCustomPlot& ZoomedChart1() {
    PlotLive(MakeRow(1, 0, 10, 1));
    StrokeRow row = MakeRow(2, 0, 200, 40);
    row.Speed = 6.0f;
    PlotLive(row);
    Show(page1_);
    return Graphs().Chart1();
  }

  static void Drag(QCustomPlot& chart, const QRect& dragged) { emit chart.selectionRect()->accepted(dragged, nullptr); }

  static ZoomAnimation& Animation(QCustomPlot& chart) { return *chart.findChild<ZoomAnimation*>(); }

  // Decimals and the finest step the labels of both vertical axes offer.
  static void ExpectLabels(QCustomPlot& chart, int decimals, double finestStep) {
    for (QCPAxis* axis : {chart.yAxis, chart.yAxis2}) {
      auto& ticker = dynamic_cast<AxisLabelTicker&>(*axis->ticker());
      EXPECT_EQ(ticker.Decimals(), decimals);
      QVector<double> ticks;
      ticker.generate(QCPRange(40, 40 + finestStep * 3), QLocale::c(), 'g', 2, ticks, nullptr, nullptr);
      ASSERT_GE(ticks.size(), 2);
      EXPECT_NEAR(ticks[1] - ticks[0], finestStep, finestStep * 1e-6);
    }
  }
};

TEST_F(ZoomTest, AxesMoveToTheRectangleInFourEqualSteps) {
  QCustomPlot& chart = ZoomedChart1();
  const QCPRange before = chart.xAxis->range();
  const QRect plot = chart.axisRect()->rect();
  const QRect dragged(plot.left() + plot.width() / 4, plot.top() + 10, plot.width() / 2, plot.height() / 2);
  const double targetLower = chart.xAxis->pixelToCoord(dragged.left());
  const double targetUpper = chart.xAxis->pixelToCoord(dragged.left() + dragged.width());

  std::vector<double> lowers;
  QObject::connect(chart.xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
                   [&lowers](const QCPRange& range) { lowers.push_back(range.lower); });
  Drag(chart, dragged);
  ASSERT_TRUE(Animation(chart).Running());
  ASSERT_EQ(lowers.size(), 1u);  // the first step at once
  EXPECT_NEAR(lowers[0], before.lower + (targetLower - before.lower) / 4, 1e-6);
  ASSERT_TRUE(test::WaitUntil([&] { return !Animation(chart).Running(); }));
  ASSERT_EQ(lowers.size(), 4u);
  for (int step = 1; step <= 4; ++step)
    EXPECT_NEAR(lowers[step - 1], before.lower + (targetLower - before.lower) * step / 4, 1e-6) << step;
  EXPECT_NEAR(chart.xAxis->range().upper, targetUpper, 1e-6);
  ExpectLabels(chart, 2, 0.01);
}

TEST_F(ZoomTest, UndoDuringTheStepsRestoresTheRangesForGood) {
  QCustomPlot& chart = ZoomedChart1();
  const QCPRange bottom = chart.xAxis->range();
  const QRect plot = chart.axisRect()->rect();
  Drag(chart, QRect(plot.center() - QPoint(40, 40), plot.center() + QPoint(40, 40)));
  ExpectLabels(chart, 2, 0.01);
  // A value check box undoes the zoom while it is still under way.
  Graphs().CheckBox(3).click();
  EXPECT_FALSE(Animation(chart).Running());
  QCoreApplication::processEvents();  // a step already on its way would land now
  EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, bottom.lower);
  EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, bottom.upper);
  ExpectLabels(chart, 1, 0.1);
}

TEST_F(ZoomTest, SecondZoomStartsFromWhereTheFirstEnds) {
  QCustomPlot& chart = ZoomedChart1();
  const QRect plot = chart.axisRect()->rect();
  const QRect leftHalf(plot.left(), plot.top(), plot.width() / 2, plot.height() / 2);
  const double lower = chart.xAxis->range().lower;
  const double firstUpper = chart.xAxis->pixelToCoord(plot.left() + plot.width() / 2);
  Drag(chart, leftHalf);
  Drag(chart, leftHalf);  // while the first is still under way
  ASSERT_TRUE(test::WaitUntil([&] { return !Animation(chart).Running(); }));
  EXPECT_NEAR(chart.xAxis->range().lower, lower, 1e-9);
  EXPECT_NEAR(chart.xAxis->range().upper, lower + (firstUpper - lower) / 2, (firstUpper - lower) * 0.01);
  // Dragging to the left undoes both zooms at once.
  const QCPRange zoomed = chart.xAxis->range();
  Drag(chart, QRect(plot.center(), plot.center() - QPoint(30, 30)));
  EXPECT_GT(chart.xAxis->range().size(), zoomed.size() * 3);
  ExpectLabels(chart, 1, 0.1);
}

}  // namespace
}  // namespace veltrasko

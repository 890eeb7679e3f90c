// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRadioButton>
#include <algorithm>

#include "graph/zoom_animation.h"
#include "graph_fixture.h"
#include "support/core_state_for_tests.h"

namespace veltrasko {
namespace {

using AxesTest = GraphTest;

QCPRange BottomOf(QCustomPlot& chart) { return chart.xAxis->range(); }

void ExpectRange(const QCPRange& range, double lower, double upper) {
  EXPECT_DOUBLE_EQ(range.lower, lower);
  EXPECT_DOUBLE_EQ(range.upper, upper);
}

TEST_F(AxesTest, OnlineWindowEndsAtTheNewestStroke) {
  PlotLive(MakeRow(1, 0, 1234.5f, 300));
  ExpectRange(BottomOf(Graphs().Chart1()), 984.5, 1234.5);
  ExpectRange(BottomOf(Graphs().Chart2()), 984.5, 1234.5);
}

TEST_F(AxesTest, WindowStartsAtZeroUntilTheSessionIsLongerThanIt) {
  ExpectRange(BottomOf(Graphs().Chart1()), 0, 250);
  PlotLive(MakeRow(1, 0, 100, 30));
  ExpectRange(BottomOf(Graphs().Chart1()), 0, 250);
  PlotLive(MakeRow(2, 0, 250, 70));
  ExpectRange(BottomOf(Graphs().Chart1()), 0, 250);
}

TEST_F(AxesTest, EachGraphUsesItsOwnBottomQuantity) {
  StrokeGraphs& graphs = Graphs();
  graphs.RadioButtonTime1().click();
  ExpectRange(BottomOf(graphs.Chart1()), 0, 60);
  PlotLive(MakeRow(1, 1, 1000, 200));
  // The newest stroke is a right stroke: Chart2's left lines do not have it,
  // yet its window ends there too.
  PlotLive(MakeRow(2, 0, 1234.5f, 300));
  ExpectRange(BottomOf(graphs.Chart1()), 240, 300);
  ExpectRange(BottomOf(graphs.Chart2()), 984.5, 1234.5);
}

TEST_F(AxesTest, WindowMovingBackSetsTheMinimumFirst) {
  StrokeGraphs& graphs = Graphs();
  PlotLive(MakeRow(1, 0, 1234.5f, 300));
  std::vector<QCPRange> steps;
  QObject::connect(graphs.Chart1().xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
                   [&steps](const QCPRange& range) { steps.push_back(range); });
  graphs.RadioButtonTime1().click();
  ASSERT_GE(steps.size(), 2u);
  ExpectRange(steps[0], 240, 1234.5);
  ExpectRange(steps.back(), 240, 300);
  for (const QCPRange& step : steps) EXPECT_LE(step.lower, step.upper);
}

TEST_F(AxesTest, WindowMovingOnSetsTheMaximumFirst) {
  StrokeGraphs& graphs = Graphs();
  graphs.RadioButtonTime1().click();
  PlotLive(MakeRow(1, 0, 1234.5f, 300));
  std::vector<QCPRange> steps;
  QObject::connect(graphs.Chart1().xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
                   [&steps](const QCPRange& range) { steps.push_back(range); });
  graphs.RadioButtonDist1().click();
  ASSERT_GE(steps.size(), 2u);
  ExpectRange(steps[0], 240, 1234.5);
  ExpectRange(steps.back(), 984.5, 1234.5);
}

TEST_F(AxesTest, ViewAllFitsTheWholeSession) {
  core_->EditSettings().SetViewAll(1);
  PlotLive(MakeRow(1, 0, 20, 5));
  PlotLive(MakeRow(2, 0, 1234.5f, 300));
  Graphs().Chart1().replot();
  ExpectRange(BottomOf(Graphs().Chart1()), 20, 1234.5);
}

TEST_F(AxesTest, EnlargedLabelsTitlesAndLegendOnlyInTheOnlineView) {
  core_->EditSettings().SetEnlargeAxisText(1);
  StrokeGraphs& graphs = Graphs();
  EXPECT_EQ(graphs.Chart1().xAxis->tickLabelFont().pointSize(), 14);
  EXPECT_EQ(graphs.Chart2().yAxis2->tickLabelFont().pointSize(), 14);
  EXPECT_EQ(graphs.Chart1().yAxis->labelFont().pointSize(), 14);
  EXPECT_EQ(graphs.Chart2().xAxis->labelFont().pointSize(), 14);
  EXPECT_EQ(graphs.Chart2().legend->item(1)->font().pointSize(), 14);
  graphs.ShowFile1Click();
  EXPECT_EQ(graphs.Chart1().yAxis->tickLabelFont().pointSize(), 8);
  EXPECT_EQ(graphs.Chart2().xAxis->tickLabelFont().pointSize(), 8);
  EXPECT_EQ(graphs.Chart2().yAxis2->labelFont().pointSize(), 8);
  EXPECT_EQ(graphs.Chart1().legend->item(0)->font().pointSize(), 8);
}

TEST_F(AxesTest, FileViewFitsTheFileAndLeavesTheWindowAlone) {
  StrokeGraphs& graphs = Graphs();
  CoreStateForTests::FileStrokes(*core_).WorkingRow() = MakeRow(1, 0, 5, 1);
  CoreStateForTests::FileStrokes(*core_).FinishStroke(true);
  CoreStateForTests::FileStrokes(*core_).WorkingRow() = MakeRow(2, 0, 4000, 900);
  CoreStateForTests::FileStrokes(*core_).FinishStroke(true);
  graphs.ShowFile1Click();
  graphs.Chart1().replot();
  ExpectRange(BottomOf(graphs.Chart1()), 5, 4000);
  graphs.UpdateAxes();
  graphs.Chart1().replot();
  ExpectRange(BottomOf(graphs.Chart1()), 5, 4000);
}

TEST_F(AxesTest, VerticalAxesFitTheShownSeriesWithAMargin) {
  StrokeGraphs& graphs = Graphs();
  StrokeRow row = MakeRow(1, 0, 10, 1);
  row.Speed = 3.0f;
  PlotLive(row);
  row = MakeRow(2, 0, 20, 2);
  row.Speed = 5.0f;
  PlotLive(row);
  graphs.Chart1().replot();
  const QCPRange left = graphs.Chart1().yAxis->range();
  const double span = (5.0f * 3.6f) - (3.0f * 3.6f);
  EXPECT_NEAR(left.lower, 3.0f * 3.6f - span * 0.02 / 0.96, 1e-4);
  EXPECT_NEAR(left.upper, 5.0f * 3.6f + span * 0.02 / 0.96, 1e-4);
}

// How many of the vertical labels for 40 .. 40.1 show two decimals.
int TwoDecimalLabels(QCPAxis& axis) {
  QVector<QString> labels;
  QVector<double> ticks;
  axis.ticker()->generate(QCPRange(40, 40.1), QLocale::c(), 'g', 2, ticks, nullptr, &labels);
  return static_cast<int>(std::count_if(labels.begin(), labels.end(), [](const QString& label) {
    return label.indexOf('.') >= 0 && label.size() - label.indexOf('.') == 3;
  }));
}

// The chart lays itself out for pixel positions only once shown.
void ShowAt(QCustomPlot& chart, int width, int height) {
  chart.setFixedSize(width, height);
  chart.window()->show();
  QCoreApplication::processEvents();
}

TEST_F(AxesTest, DragRightZoomsDragLeftUndoes) {
  StrokeGraphs& graphs = Graphs();
  QCustomPlot& chart = graphs.Chart1();
  ShowAt(chart, 800, 500);
  StrokeRow row = MakeRow(1, 0, 10, 1);
  PlotLive(row);
  row = MakeRow(2, 0, 200, 40);
  row.Speed = 6.0f;
  PlotLive(row);
  chart.replot();
  const QCPRange bottom = chart.xAxis->range();
  const QCPRange left = chart.yAxis->range();
  const QRect plot = chart.axisRect()->rect();
  QCPSelectionRect& rect = *chart.selectionRect();
  emit rect.accepted(QRect(plot.center() - QPoint(50, 50), plot.center() + QPoint(50, 50)), nullptr);
  chart.findChild<ZoomAnimation*>()->Finish();
  chart.replot();  // a zoomed axis is not refitted
  EXPECT_GT(chart.xAxis->range().lower, bottom.lower);
  EXPECT_LT(chart.yAxis->range().size(), left.size() / 2);
  EXPECT_GT(TwoDecimalLabels(*chart.yAxis2), 0);
  emit rect.accepted(QRect(plot.center(), plot.center() - QPoint(30, 30)), nullptr);
  EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, bottom.lower);
  EXPECT_DOUBLE_EQ(chart.yAxis->range().upper, left.upper);
  EXPECT_EQ(TwoDecimalLabels(*chart.yAxis2), 0);
}

TEST_F(AxesTest, ViewAllSetWhileZoomedFitsTheBottomAxesAtTheNextStroke) {
  StrokeGraphs& graphs = Graphs();
  QCustomPlot& chart = graphs.Chart1();
  ShowAt(chart, 800, 500);
  PlotLive(MakeRow(1, 0, 10, 1));
  StrokeRow row = MakeRow(2, 0, 200, 40);
  row.Speed = 6.0f;
  PlotLive(row);
  chart.replot();
  const QRect plot = chart.axisRect()->rect();
  emit chart.selectionRect()->accepted(QRect(plot.center() - QPoint(50, 50), plot.center() + QPoint(50, 50)), nullptr);
  chart.findChild<ZoomAnimation*>()->Finish();
  const QCPRange zoomedLeft = chart.yAxis->range();

  core_->EditSettings().SetViewAll(1);
  PlotLive(MakeRow(3, 0, 300, 60));
  chart.replot();
  ExpectRange(BottomOf(chart), 10, 300);
  EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, zoomedLeft.lower) << "the zoomed vertical range stays";
  EXPECT_DOUBLE_EQ(chart.yAxis->range().upper, zoomedLeft.upper);
}

TEST_F(AxesTest, ValueCheckBoxUndoesTheZoom) {
  StrokeGraphs& graphs = Graphs();
  QCustomPlot& chart = graphs.Chart1();
  ShowAt(chart, 800, 500);
  PlotLive(MakeRow(1, 0, 10, 1));
  chart.replot();
  const QRect plot = chart.axisRect()->rect();
  emit chart.selectionRect()->accepted(QRect(plot.topLeft(), plot.center()), nullptr);
  EXPECT_GT(TwoDecimalLabels(*chart.yAxis), 0);
  graphs.CheckBox(3).click();
  EXPECT_EQ(TwoDecimalLabels(*chart.yAxis), 0);
}

}  // namespace
}  // namespace veltrasko

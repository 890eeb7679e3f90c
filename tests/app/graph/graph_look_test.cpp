// SPDX-License-Identifier: GPL-3.0-or-later
// How the graphs lay themselves out: the legend's place, the grid and the
// width of the two plots.
#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>

#include "graph/legend_place.h"
#include "tips_fixture.h"

namespace veltrasko {
namespace {

class GraphLookTest : public ShownGraphTest {
 protected:
  // Two strokes with distinct values, so that every shown axis has labels.
  void PlotTwoStrokes() {
    PlotLive(MakeRow(1, 0, 10, 3));
    StrokeRow row = MakeRow(2, 1, 20, 6);
    row.Speed = 5.0f;
    row.Power = 260.0f;
    row.StrokeDistance = 2.9f;
    PlotLive(row);
  }

  static QRect PlotAt(QWidget& page, QCustomPlot& chart, const QSize& size) {
    page.resize(size);
    page.show();
    QCoreApplication::processEvents();
    chart.replot();
    return chart.axisRect()->rect();
  }

  static void RightClick(QCustomPlot& chart, const QPoint& at) {
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, chart.mapToGlobal(at));
    QCoreApplication::sendEvent(&chart, &request);
  }

  static void Choose(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
      if (action->text() == caption) action->trigger();
    }
    menu.hide();
  }
};

TEST_F(GraphLookTest, LegendSitsAboveThePlotUntilACornerIsChosenOnIt) {
  PlotTwoStrokes();
  Show(page1_);
  QCustomPlot& chart = Graphs().Chart1();
  const QRect plot = chart.axisRect()->rect();
  EXPECT_FALSE(chart.legend->outerRect().intersects(plot));
  EXPECT_LE(chart.legend->outerRect().bottom(), plot.top());

  LegendPlace& place = Graphs().StrokeValues().Legend();
  RightClick(chart, plot.center());
  EXPECT_FALSE(place.Menu().isVisible()) << "a right click on the plot is not for the legend";
  RightClick(chart, chart.legend->outerRect().center());
  ASSERT_TRUE(place.Menu().isVisible());
  Choose(place.Menu(), "Bottom left");
  chart.replot();
  const QRect corner = chart.legend->outerRect();
  EXPECT_TRUE(plot.contains(corner));
  EXPECT_LT(corner.left() - plot.left(), plot.width() / 4);
  EXPECT_LT(plot.bottom() - corner.bottom(), plot.height() / 4);
  EXPECT_EQ(Graphs().RightLeft().Legend().Spot(), LegendSpot::Outside) << "the other graph keeps its place";

  RightClick(chart, corner.center());
  Choose(place.Menu(), "Outside");
  chart.replot();
  EXPECT_FALSE(chart.legend->outerRect().intersects(chart.axisRect()->rect()));
}

TEST_F(GraphLookTest, LegendOfManyValuesWrapsWithinTheChartWithEnlargedText) {
  core_->EditSettings().SetEnlargeAxisText(1);
  PlotTwoStrokes();
  Show(page1_, 700, 500);
  QCustomPlot& chart = Graphs().Chart1();
  // Seven items in rows of two or three leave an empty cell at the end.
  for (int box = 2; box <= 7; ++box) {
    Graphs().CheckBox(box).click();
    chart.replot();
  }
  const QRect legend = chart.legend->outerRect();
  EXPECT_GE(legend.left(), 0);
  EXPECT_LE(legend.right(), chart.width());
  EXPECT_LE(legend.bottom(), chart.axisRect()->rect().top());
  EXPECT_GT(legend.height(), 2 * QFontMetrics(chart.legend->font()).height()) << "more than one row";
}

TEST_F(GraphLookTest, GridFollowsTheVerticalAxisWithLabels) {
  PlotTwoStrokes();
  Show(page2_);
  QCustomPlot& chart = Graphs().Chart2();
  chart.replot();
  // Both powers are drawn against the right axis alone.
  EXPECT_TRUE(chart.yAxis2->grid()->visible());
  EXPECT_FALSE(chart.yAxis->grid()->visible());
  EXPECT_EQ(chart.yAxis2->grid()->pen(), chart.yAxis->grid()->pen());

  Graphs().CheckBox(11).click();  // left stroke distance, on the left axis
  chart.replot();
  EXPECT_TRUE(chart.yAxis->grid()->visible());
  EXPECT_FALSE(chart.yAxis2->grid()->visible());
}

TEST_F(GraphLookTest, BothPlotsSpanTheSameWidthAtAnyWindowSize) {
  PlotTwoStrokes();
  // Power alone on both graphs: the same labels on the same axis.
  Graphs().CheckBox(1).click();
  Graphs().CheckBox(3).click();
  for (const QSize size : {QSize(1024, 700), QSize(1920, 1010)}) {
    const QRect plot1 = PlotAt(page1_, Graphs().Chart1(), size);
    const QRect plot2 = PlotAt(page2_, Graphs().Chart2(), size);
    EXPECT_EQ(plot1.left(), plot2.left()) << size.width();
    EXPECT_EQ(plot1.right(), plot2.right()) << size.width();
  }
}

}  // namespace
}  // namespace veltrasko

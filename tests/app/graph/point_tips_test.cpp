// SPDX-License-Identifier: GPL-3.0-or-later
// The point tips on the real graphs: the value of the line under the mouse.
#include "graph/point_tips.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QRadioButton>
#include <QToolTip>

#include "graph/chart_tools.h"
#include "tips_fixture.h"

namespace veltrasko {
namespace {

class PointTipsTest : public ShownGraphTest {
 protected:
  ChartTools& Tools() {
    if (!tools_) tools_ = std::make_unique<ChartTools>(Graphs(), core_->Settings());
    return *tools_;
  }

  StrokeRow Row(std::uint16_t number, float distance, float time, float speed) {
    StrokeRow row = MakeRow(number, 0, distance, time);
    row.Speed = speed;
    return row;
  }

  void PlotFile(std::initializer_list<StrokeRow> rows) {
    for (const StrokeRow& row : rows) Graphs().PlotStroke(row);
    Graphs().UpdateAxes();
  }

  std::unique_ptr<ChartTools> tools_;
};

TEST_F(PointTipsTest, ShownLineGivesItsValueInKilometresPerHour) {
  PlotFile({Row(1, 100, 30, 14.42f / 3.6f), Row(2, 200, 60, 5.0f), Row(3, 300, 90, 4.0f)});
  Show(page1_);
  const QCPGraph& speed = Graphs().Series(1);
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speed, 100, 14.42)).toStdString(), "Speed: 14.4 KM/H");
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speed, 200, 18.0) + QPointF(2, -2)).toStdString(), "Speed: 18.0 KM/H");
  // Away from every line there is nothing to say.
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speed, 150, 0)), "");
}

TEST_F(PointTipsTest, ShownLineGivesItsValueInMetresPerSecond) {
  core_->EditSettings().SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  PlotFile({Row(1, 100, 30, 4.0f), Row(2, 200, 60, 5.0f)});
  Show(page1_);
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(Graphs().Series(1), 100, 4.0)).toStdString(), "Speed: 4.00 M/S");
}

TEST_F(PointTipsTest, HiddenCopyGivesNoTipAndTheShownOneDoes) {
  PlotFile({Row(1, 100, 30, 4.0f), Row(2, 200, 60, 4.0f)});
  Show(page1_);
  // Series9 (speed against time) is hidden: where its line would be, no tip.
  const QCPGraph& speedByTime = Graphs().Series(9);
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speedByTime, 30, 14.4)), "");
  Graphs().RadioButtonTime1().click();
  Graphs().Chart1().replot();
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speedByTime, 30, 14.4)).toStdString(), "Speed: 14.4 KM/H");
}

TEST_F(PointTipsTest, TimeCopyTellsItsOwnPointWhenTheCopiesSortApart) {
  // A second session of one file starts again at distance 50 while its
  // time goes on: the two copies of the speed sort the strokes differently.
  core_->EditSettings().SetOnlineWindowTime(200);
  PlotFile({Row(1, 100, 30, 2.0f), Row(2, 200, 60, 3.0f), Row(1, 50, 90, 5.0f), Row(2, 150, 120, 4.0f)});
  Graphs().RadioButtonTime1().click();
  Show(page1_);
  const QCPGraph& speedByTime = Graphs().Series(9);
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speedByTime, 90, 18.0)).toStdString(), "Speed: 18.0 KM/H");
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(speedByTime, 120, 14.4)).toStdString(), "Speed: 14.4 KM/H");
}

TEST_F(PointTipsTest, HeartRateAndTheRightVersusLeftGraph) {
  StrokeRow row = Row(1, 100, 30, 4.0f);
  row.HeartRate = 61.6f;
  StrokeRow next = Row(2, 200, 60, 4.0f);
  next.HeartRate = 61.6f;
  PlotFile({row, next});
  Graphs().CheckBox(7).click();
  Show(page1_);
  EXPECT_EQ(Tools().ChartTool1().TipAt(PixelOf(Graphs().Series(7), 150, 61.6)).toStdString(),
            "Heart rate 62 Strokes/min.");

  Show(page2_);
  // Side 0 rows feed the right lines only: Series18, power on the right axis.
  EXPECT_EQ(Tools().ChartTool2().TipAt(PixelOf(Graphs().Series(18), 150, 200)).toStdString(),
            "Power - Right: 200.0 Watts");
  EXPECT_EQ(Tools().ChartTool2().objectName(), "ChartTool2");
}

TEST_F(PointTipsTest, RestingMouseShowsTheTip) {
  PlotFile({Row(1, 100, 30, 4.0f), Row(2, 200, 60, 4.0f)});
  Show(page1_);
  QCustomPlot& chart = Graphs().Chart1();
  Tools();
  const QPoint at = PixelOf(Graphs().Series(1), 150, 14.4).toPoint();
  QHelpEvent rest(QEvent::ToolTip, at, chart.mapToGlobal(at));
  QApplication::sendEvent(&chart, &rest);
  EXPECT_EQ(QToolTip::text().toStdString(), "Speed: 14.4 KM/H");
  QToolTip::hideText();
}

}  // namespace
}  // namespace veltrasko

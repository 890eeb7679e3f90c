// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel, the pan and the ways back from a zoom, and the readout box
// that follows the pointer, on the real graphs with real mouse events.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "graph/axis_label_ticker.h"
#include "graph/chart_navigation.h"
#include "graph/chart_tools.h"
#include "graph/point_readout.h"
#include "graph/title_editor.h"
#include "tips_fixture.h"

namespace veltrasko {
namespace {

class NavigationTest : public ShownGraphTest {
 protected:
  // Strokes 1 .. 21 every 10 m and 3 s, the speed rising, on shown graphs.
  QCustomPlot& Chart1() {
    if (!tools_) {
      for (std::uint16_t number = 1; number <= 21; ++number) {
        StrokeRow row = MakeRow(number, 0, 10.0f * (number - 1), 3.0f * number);
        row.Speed = 3.0f + 0.1f * number;
        PlotLive(row);
      }
      tools_ = std::make_unique<ChartTools>(Graphs(), core_->Settings());
      Show(page1_);
      QApplication::setActiveWindow(&page1_);
      EXPECT_TRUE(test::WaitUntil([this] { return page1_.isActiveWindow(); }));
    }
    return Graphs().Chart1();
  }

  struct Ranges {
    QCPRange Bottom, Left, Right;
  };
  static Ranges RangesOf(const QCustomPlot& chart) {
    return {chart.xAxis->range(), chart.yAxis->range(), chart.yAxis2->range()};
  }
  static void ExpectRanges(const QCustomPlot& chart, const Ranges& expected) {
    EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, expected.Bottom.lower);
    EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, expected.Bottom.upper);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, expected.Left.lower);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().upper, expected.Right.upper);
  }
  static int Decimals(const QCustomPlot& chart) {
    return dynamic_cast<AxisLabelTicker&>(*chart.yAxis->ticker()).Decimals();
  }

  static void Wheel(QCustomPlot& chart, const QPoint& at, int notches, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &wheel);
  }
  static void Drag(QCustomPlot& chart, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& from,
                   const QPoint& to) {
    QTest::mousePress(&chart, button, modifiers, from);
    QMouseEvent move(QEvent::MouseMove, to, chart.mapToGlobal(to), Qt::NoButton, button, modifiers);
    QCoreApplication::sendEvent(&chart, &move);
    QTest::mouseRelease(&chart, button, modifiers, to);
  }
  static void MovePointer(QCustomPlot& chart, const QPoint& to) {
    QMouseEvent move(QEvent::MouseMove, to, chart.mapToGlobal(to), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&chart, &move);
  }

  std::unique_ptr<ChartTools> tools_;
};

TEST_F(NavigationTest, WheelZoomsAboutThePointerAndADoubleClickUndoes) {
  QCustomPlot& chart = Chart1();
  const Ranges before = RangesOf(chart);
  const QRect plot = chart.axisRect()->rect();
  const QPoint at(plot.left() + plot.width() / 4, plot.top() + plot.height() / 3);
  const double underPointer = chart.xAxis->pixelToCoord(at.x());

  Wheel(chart, at, 2);
  EXPECT_NEAR(chart.xAxis->range().size(), before.Bottom.size() * 0.85 * 0.85, 1e-9);
  EXPECT_NEAR(chart.xAxis->pixelToCoord(at.x()), underPointer, 1e-9);
  EXPECT_EQ(chart.yAxis->range(), before.Left);
  EXPECT_EQ(Decimals(chart), 2);

  const double valueUnderPointer = chart.yAxis->pixelToCoord(at.y());
  const QCPRange bottom = chart.xAxis->range();
  Wheel(chart, at, -1, Qt::ControlModifier);
  EXPECT_EQ(chart.xAxis->range(), bottom);
  EXPECT_NEAR(chart.yAxis->range().size(), before.Left.size() / 0.85, 1e-9);
  EXPECT_NEAR(chart.yAxis2->range().size(), before.Right.size() / 0.85, 1e-9);
  EXPECT_NEAR(chart.yAxis->pixelToCoord(at.y()), valueUnderPointer, 1e-9);

  // A double click beside the plot is not on it.
  QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(plot.left() - 5, plot.center().y()));
  EXPECT_EQ(Decimals(chart), 2);
  QTest::mouseDClick(&chart, Qt::LeftButton, {}, at);
  ExpectRanges(chart, before);
  EXPECT_EQ(Decimals(chart), 1);
}

TEST_F(NavigationTest, DragsWithMiddleOrShiftLeftPanAndEscapeUndoesUnlessATitleIsEdited) {
  QCustomPlot& chart = Chart1();
  const Ranges before = RangesOf(chart);
  const QRect plot = chart.axisRect()->rect();
  const QPoint from = plot.center();

  // What lay under the pointer stays under it.
  const QPoint right = from + QPoint(plot.width() / 4, 0);
  const double distanceAtPress = chart.xAxis->pixelToCoord(from.x());
  Drag(chart, Qt::MiddleButton, {}, from, right);
  EXPECT_NEAR(chart.xAxis->pixelToCoord(right.x()), distanceAtPress, 1e-6);
  EXPECT_NEAR(chart.xAxis->range().size(), before.Bottom.size(), 1e-6);
  EXPECT_NEAR(chart.yAxis->range().lower, before.Left.lower, 1e-9);
  EXPECT_EQ(Decimals(chart), 2);

  // With Shift the left button pans too, where it would otherwise zoom into a rectangle.
  const Ranges panned = RangesOf(chart);
  const QPoint down = from + QPoint(0, plot.height() / 3);
  const double leftValueAtPress = chart.yAxis->pixelToCoord(from.y());
  const double rightValueAtPress = chart.yAxis2->pixelToCoord(from.y());
  Drag(chart, Qt::LeftButton, Qt::ShiftModifier, from, down);
  EXPECT_EQ(chart.xAxis->range(), panned.Bottom);
  EXPECT_NEAR(chart.yAxis->pixelToCoord(down.y()), leftValueAtPress, 1e-6);
  EXPECT_NEAR(chart.yAxis2->pixelToCoord(down.y()), rightValueAtPress, 1e-6);
  EXPECT_NEAR(chart.yAxis2->range().size(), panned.Right.size(), 1e-6);

  TitleEditor& title = tools_->Graph1Title();
  QTest::mouseClick(&chart, Qt::LeftButton, {}, title.Title().rect().center());
  ASSERT_TRUE(title.TitleBox().isVisible());
  QTest::keyClick(&page1_, Qt::Key_Escape);
  EXPECT_TRUE(title.TitleBox().isHidden());
  EXPECT_EQ(Decimals(chart), 2);
  QTest::keyClick(&page1_, Qt::Key_Escape);
  ExpectRanges(chart, before);
  EXPECT_EQ(Decimals(chart), 1);
}

TEST_F(NavigationTest, ResetZoomInThePlotsMenuButNoMenuOverTheLegend) {
  QCustomPlot& chart = Chart1();
  const Ranges before = RangesOf(chart);
  const QRect plot = chart.axisRect()->rect();
  Wheel(chart, plot.center(), 3);
  QMenu& menu = chart.findChild<ChartNavigation*>()->ContextMenu();

  // The legend, above the plot or in one of its corners, offers its own menu.
  const QPoint onLegend = chart.legend->outerRect().center();
  QContextMenuEvent legendRequest(QContextMenuEvent::Mouse, onLegend, chart.mapToGlobal(onLegend));
  QCoreApplication::sendEvent(&chart, &legendRequest);
  EXPECT_FALSE(menu.isVisible());
  if (QWidget* legendMenu = QApplication::activePopupWidget()) legendMenu->close();

  const QPoint onPlot = plot.center() + QPoint(-plot.width() / 4, 0);
  QContextMenuEvent request(QContextMenuEvent::Mouse, onPlot, chart.mapToGlobal(onPlot));
  QCoreApplication::sendEvent(&chart, &request);
  ASSERT_TRUE(menu.isVisible());
  ASSERT_EQ(menu.actions().size(), 1);
  EXPECT_EQ(menu.actions()[0]->text().toStdString(), "Reset zoom");
  menu.actions()[0]->trigger();
  menu.hide();
  ExpectRanges(chart, before);
  EXPECT_EQ(Decimals(chart), 1);
}

TEST_F(NavigationTest, ReadoutNamesTheNearestStrokeAndGoesWhenThePointerLeaves) {
  QCustomPlot& chart = Chart1();
  PointReadout& readout = *chart.findChild<PointReadout*>();
  // 54 m is nearest to stroke 6 at 50 m.
  const QPoint at(static_cast<int>(chart.xAxis->coordToPixel(54)), chart.axisRect()->rect().center().y());
  MovePointer(chart, at);
  ASSERT_TRUE(readout.Box().isVisible());
  EXPECT_EQ(readout.Box().text().toStdString(),
            "Stroke: 6\nDistance: 50.0 Meters\nTime: 18.0 Seconds\nSpeed: 13.0 KM/H");
  EXPECT_TRUE(readout.Line().isVisible());
  EXPECT_EQ(readout.Line().x(), static_cast<int>(std::lround(chart.xAxis->coordToPixel(50))));

  // Against time, where 19.4 s is nearest to stroke 6 at 18 s.
  Graphs().RadioButtonTime1().click();
  chart.replot();
  MovePointer(chart, QPoint(static_cast<int>(chart.xAxis->coordToPixel(19.4)), at.y()));
  EXPECT_TRUE(readout.Box().text().startsWith("Stroke: 6\n"));

  // The plot's menu takes the pointer; so does leaving the graph.
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, chart.mapToGlobal(at));
  QCoreApplication::sendEvent(&chart, &request);
  EXPECT_FALSE(readout.Box().isVisible());
  chart.findChild<ChartNavigation*>()->ContextMenu().hide();
  MovePointer(chart, at);
  ASSERT_TRUE(readout.Box().isVisible());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&chart, &leave);
  EXPECT_FALSE(readout.Box().isVisible());
  EXPECT_FALSE(readout.Line().isVisible());
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QMouseEvent>
#include <QRadioButton>

#include "graph_fixture.h"

namespace veltrasko {
namespace {

using SelectionTest = GraphTest;

void RightClick(QCheckBox& box) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, box.mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, box.mapToGlobal(at), Qt::RightButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &release);
}

TEST_F(SelectionTest, RightClickMovesBothCopiesOfAValue) {
  StrokeGraphs& graphs = Graphs();
  QCustomPlot& chart = graphs.Chart1();
  RightClick(graphs.CheckBox(3));
  EXPECT_FALSE(graphs.CheckBox(3).isChecked());
  EXPECT_EQ(graphs.Series(3).valueAxis(), chart.yAxis);
  EXPECT_EQ(graphs.Series(11).valueAxis(), chart.yAxis);
  EXPECT_EQ(chart.yAxis->label(), "Speed, ");
  EXPECT_EQ(chart.yAxis2->label(), "");
  graphs.CheckBox(3).click();
  EXPECT_EQ(chart.yAxis->label(), "Speed, Power, ");
  RightClick(graphs.CheckBox(3));
  EXPECT_EQ(graphs.Series(3).valueAxis(), chart.yAxis2);
  EXPECT_EQ(graphs.Series(11).valueAxis(), chart.yAxis2);
  EXPECT_EQ(chart.yAxis->label(), "Speed, ");
  EXPECT_EQ(chart.yAxis2->label(), "Power, ");
}

TEST_F(SelectionTest, RightClickOnChart2MovesBothSides) {
  StrokeGraphs& graphs = Graphs();
  RightClick(graphs.CheckBox(9));
  for (int number : {17, 18, 25, 26}) EXPECT_EQ(graphs.Series(number).valueAxis(), graphs.Chart2().yAxis);
  EXPECT_EQ(graphs.Chart2().yAxis->label(), "Power, ");
  EXPECT_EQ(graphs.Chart2().yAxis2->label(), "");
}

TEST_F(SelectionTest, UncaptionedBoxMovesNothing) {
  StrokeGraphs& graphs = Graphs();
  RightClick(graphs.CheckBox(12));
  for (int number : {19, 20, 27, 28}) EXPECT_EQ(graphs.Series(number).valueAxis(), graphs.Chart2().yAxis);
}

TEST_F(SelectionTest, TimeShowsTheTimeCopiesOfTheCheckedValues) {
  StrokeGraphs& graphs = Graphs();
  graphs.CheckBox(6).click();
  graphs.RadioButtonTime1().click();
  for (int number = 1; number <= 16; ++number)
    EXPECT_EQ(graphs.Series(number).visible(), number == 9 || number == 14) << "Series" << number;
  EXPECT_EQ(graphs.Chart1().xAxis->label(), "Time [Sec.]");
  EXPECT_EQ(graphs.Chart1().yAxis->label(), "Speed, Air time, ");
  graphs.RadioButtonTime2().click();
  for (int number = 17; number <= SeriesCount; ++number)
    EXPECT_EQ(graphs.Series(number).visible(), number == 25 || number == 26) << "Series" << number;
  EXPECT_EQ(graphs.Chart2().xAxis->label(), "Time [Sec.]");
}

TEST_F(SelectionTest, OneSideCheckedStillNamesTheValue) {
  StrokeGraphs& graphs = Graphs();
  graphs.CheckBox(9).click();
  EXPECT_FALSE(graphs.Series(17).visible());
  EXPECT_TRUE(graphs.Series(18).visible());
  EXPECT_EQ(graphs.Chart2().yAxis2->label(), "Power, ");
  graphs.CheckBox(18).click();
  EXPECT_TRUE(graphs.Series(34).visible());
  EXPECT_EQ(graphs.Chart2().yAxis2->label(), "Power, Work, ");
}

TEST_F(SelectionTest, NothingCheckedLeavesBothTitlesEmpty) {
  StrokeGraphs& graphs = Graphs();
  graphs.CheckBox(1).click();
  graphs.CheckBox(9).click();
  graphs.CheckBox(10).click();
  EXPECT_EQ(graphs.Chart1().yAxis->label(), "");
  EXPECT_EQ(graphs.Chart2().yAxis2->label(), "");
  EXPECT_EQ(graphs.Chart1().legend->itemCount(), 0);
}

TEST_F(SelectionTest, LineWidthReachesHiddenSeriesToo) {
  StrokeGraphs& graphs = Graphs();
  graphs.SetLineWidth(3);
  for (int number = 1; number <= SeriesCount; ++number) EXPECT_EQ(graphs.Series(number).pen().width(), 3);
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "graph_fixture.h"

namespace veltrasko {
namespace {

using StartUpTest = GraphTest;

TEST_F(StartUpTest, ShowsSpeedOnChart1AndBothPowersOnChart2) {
  StrokeGraphs& graphs = Graphs();
  for (int number = 1; number <= SeriesCount; ++number) {
    const bool shown = number == 1 || number == 17 || number == 18;
    EXPECT_EQ(graphs.Series(number).visible(), shown) << "Series" << number;
  }
  for (int box = 1; box <= ValueCheckBoxCount; ++box)
    EXPECT_EQ(graphs.CheckBox(box).isChecked(), box == 1 || box == 9 || box == 10) << "CheckBox" << box;
  EXPECT_TRUE(graphs.RadioButtonDist1().isChecked());
  EXPECT_TRUE(graphs.RadioButtonDist2().isChecked());
  EXPECT_TRUE(graphs.OnlineGraphChecked());
  EXPECT_EQ(graphs.Chart1().legend->itemCount(), 1);
  EXPECT_EQ(graphs.Chart2().legend->itemCount(), 2);
}

TEST_F(StartUpTest, TitlesFollowTheCaptionsAndTheSpeedUnit) {
  StrokeGraphs& graphs = Graphs();
  EXPECT_EQ(graphs.Series(1).name(), "Speed [KM/H]");
  EXPECT_EQ(graphs.Series(9).name(), "Speed [KM/H]");
  EXPECT_EQ(graphs.Series(2).name(), "Stroke rate [str/min]");
  EXPECT_EQ(graphs.Series(12).name(), "Water pct. [pct]");
  EXPECT_EQ(graphs.Series(17).name(), "Power - Left [W]");
  EXPECT_EQ(graphs.Series(18).name(), "Power - Right [W]");
  EXPECT_EQ(graphs.Series(28).name(), "Stroke dist. - Right [M]");
  EXPECT_EQ(graphs.Series(36).name(), "Work - Right [J]");
  EXPECT_EQ(graphs.Series(5).pen().color(), QColor(0x00, 0x00, 0x80));
  EXPECT_EQ(graphs.Series(23).pen().color(), QColor(0x80, 0x80, 0x00));
  EXPECT_EQ(graphs.Series(34).pen().color(), QColor(0x00, 0x80, 0x00));
}

TEST_F(StartUpTest, SpeedInMetresPerSecondIsTitledSo) {
  core_->Settings.SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  EXPECT_EQ(Graphs().Series(1).name(), "Speed [M/S]");
}

TEST_F(StartUpTest, AxisTitlesNameTheCheckedValues) {
  StrokeGraphs& graphs = Graphs();
  EXPECT_EQ(graphs.Chart1().yAxis->label(), "Speed, ");
  EXPECT_EQ(graphs.Chart1().yAxis2->label(), "");
  EXPECT_EQ(graphs.Chart1().xAxis->label(), "Distance [Meter]");
  EXPECT_EQ(graphs.Chart2().yAxis->label(), "");
  EXPECT_EQ(graphs.Chart2().yAxis2->label(), "Power, ");
  EXPECT_EQ(graphs.Chart2().xAxis->label(), "Distance [Meter]");
}

TEST_F(StartUpTest, SeriesStartOnTheirAxesWithTheSettingsLineWidth) {
  core_->Settings.SetLineWidthLevel(3);
  StrokeGraphs& graphs = Graphs();
  for (int number : {1, 5, 6, 8, 19, 24, 27})
    EXPECT_EQ(graphs.Series(number).valueAxis(), number < 17 ? graphs.Chart1().yAxis : graphs.Chart2().yAxis);
  for (int number : {2, 3, 4, 7, 11, 17, 26, 33, 36})
    EXPECT_EQ(graphs.Series(number).valueAxis(), number < 17 ? graphs.Chart1().yAxis2 : graphs.Chart2().yAxis2);
  for (int number = 1; number <= SeriesCount; ++number) EXPECT_EQ(graphs.Series(number).pen().width(), 3);
}

TEST_F(StartUpTest, PagesCarryTheControlsWithTheirTexts) {
  Graphs();
  const auto* box4 = page1_.findChild<QCheckBox*>("CheckBox4");
  ASSERT_NE(box4, nullptr);
  EXPECT_EQ(box4->text(), "Water pct.");
  EXPECT_EQ(box4->toolTip(), "[Percent]");
  const auto* box10 = page2_.findChild<QCheckBox*>("CheckBox10");
  ASSERT_NE(box10, nullptr);
  EXPECT_EQ(box10->text(), "");
  EXPECT_EQ(page2_.findChild<QRadioButton*>("RadioButtonTime2")->toolTip(), "[Seconds]");
  EXPECT_NE(page1_.findChild<QCustomPlot*>("Chart1"), nullptr);
  QStringList labels;
  for (const QLabel* label : page2_.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("     Stroke side"));
  EXPECT_TRUE(labels.contains("Left         /        Right "));
  const auto* memo = page2_.findChild<QPlainTextEdit*>("Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->toPlainText().split('\n'),
            QStringList({"The right vs. left graph ", "will only work with the ", "newest sensor and ",
                         "Veltrasko computer ", "version 1.70 or above."}));
}

}  // namespace
}  // namespace veltrasko

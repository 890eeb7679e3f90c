// SPDX-License-Identifier: GPL-3.0-or-later
#include <qcustomplot.h>

#include "app/graph/graph_fixture.h"
#include "dialogs/stroke_graphs_options.h"
#include "options_fixture.h"
#include "support/core_state_for_tests.h"

namespace veltrasko {
namespace {

// The dialog on the real graph pages, sharing the core's settings with them.
class OptionsOnGraphsTest : public GraphTest {
 protected:
  OptionsOnGraphsTest() {
    for (std::uint16_t number = 1; number <= 6; ++number) {
      CoreStateForTests::OnlineStrokes(*core_).WorkingRow() = MakeRow(number, 0, 10.0f * number, 2.0f * number);
      CoreStateForTests::OnlineStrokes(*core_).WorkingRow().Power = 100.0f * number;
      CoreStateForTests::OnlineStrokes(*core_).FinishStroke(true);
      Graphs().PlotStroke(core_->OnlineStrokes()[number - 1]);
    }
  }

  test::TemporaryFolder folder_;
  SettingsFile settingsFile_{folder_.File("user_settings.bin")};
  StrokeGraphsOptions graphOptions_{Graphs()};
  RecordingMessages messages_;
  TOption dialog_{core_->EditSettings(), settingsFile_, graphOptions_, messages_};
};

TEST_F(OptionsOnGraphsTest, AChosenFilterAndLineWidthReachEverySeries) {
  settingsFile_.WriteSettingsFile(core_->Settings());
  dialog_.show();
  dialog_.LineWidth().setCurrentIndex(2);
  dialog_.Filter_ComboBox().setCurrentIndex(1);
  emit dialog_.Filter_ComboBox().activated(1);
  dialog_.ApplyClick();

  for (int number = 1; number <= SeriesCount; ++number) EXPECT_EQ(Graphs().Series(number).pen().width(), 3) << number;
  // Power over the last two strokes: 100, 150, 250, ... 550.
  EXPECT_EQ(Ys(Graphs().Series(3)), (std::vector<double>{100, 150, 250, 350, 450, 550}));
}

TEST_F(OptionsOnGraphsTest, AWindowTooShortInAHandEditedFileLeavesTheAxisWindowAsRepaired) {
  UserSettings handEdited = core_->Settings();
  handEdited.SetOnlineWindowDistance(0);
  handEdited.SetAverageFilter(0);
  settingsFile_.WriteSettingsFile(handEdited);
  dialog_.show();
  Graphs().UpdateAxes();
  EXPECT_EQ(Graphs().Chart1().xAxis->range().lower, 0);
  EXPECT_EQ(Graphs().Chart1().xAxis->range().upper, 250);
}

}  // namespace
}  // namespace veltrasko

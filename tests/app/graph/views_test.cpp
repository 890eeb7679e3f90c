// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_fixture.h"
#include "session/record_reader.h"
#include "support/core_state_for_tests.h"
#include "support/process_runner.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

class ViewsTest : public GraphTest {
 protected:
  // A live stroke as the recorder handles it: stored, then plotted.
  void RecordLive(std::uint16_t number, float power) {
    StrokeRow& row = CoreStateForTests::OnlineStrokes(*core_).WorkingRow();
    row = MakeRow(number, 0, 10.0f * number, 1.0f * number);
    row.Power = power;
    CoreStateForTests::OnlineStrokes(*core_).FinishStroke(true);
    ++CoreStateForTests::Session(*core_).DisplayedStrokeCount;
    if (core_->Session().OnlineShown) PlotLive(core_->OnlineStrokes()[core_->OnlineStrokes().Count() - 1]);
  }

  void StoreFileStroke(std::uint16_t number, float power) {
    CoreStateForTests::FileStrokes(*core_).WorkingRow() = MakeRow(number, 1, 5.0f * number, 2.0f * number);
    CoreStateForTests::FileStrokes(*core_).WorkingRow().Power = power;
    CoreStateForTests::FileStrokes(*core_).FinishStroke(true);
    ++CoreStateForTests::File(*core_).DisplayedFileStrokeCount;
  }

  std::vector<bool> views_;
  void WatchViews() {
    QObject::connect(&Graphs(), &StrokeGraphs::viewChanged, [this](bool online) { views_.push_back(online); });
  }
};

TEST_F(ViewsTest, OnlineGraphWhileOnlineOnlyUndoesZoomAndSetsTheAxes) {
  WatchViews();
  RecordLive(1, 100);
  Graphs().Series(3).data()->clear();  // would come back on a replot of the table
  Graphs().Showonlinesession1Click();
  EXPECT_EQ(Count(3), 0);
  EXPECT_EQ(views_, std::vector<bool>{true});
  EXPECT_TRUE(status_.Panels.empty());
}

TEST_F(ViewsTest, FileGraphWithoutAFileShowsEmptyGraphs) {
  WatchViews();
  RecordLive(1, 100);
  Graphs().ShowFile1Click();
  for (int number = 1; number <= SeriesCount; ++number) EXPECT_EQ(Count(number), 0);
  EXPECT_EQ(status_.Panels[StatusPanel::Strokes], " Strokes: 0");
  EXPECT_EQ(status_.Panels[StatusPanel::Weight], " Weight: 0 Kg");
  EXPECT_EQ(status_.Panels[StatusPanel::FileOrHint], "");
  EXPECT_EQ(core_->Session().OnlineShown, 0);
  EXPECT_FALSE(Graphs().OnlineGraphChecked());
  EXPECT_EQ(views_, std::vector<bool>{false});
}

TEST_F(ViewsTest, LiveStrokesDuringTheFileViewAppearWhenSwitchingBack) {
  CoreStateForTests::Session(*core_).OnlineHeader.Weight = 82;
  CoreStateForTests::Session(*core_).OnlineHeader.RecordFileName.Assign("/tmp/20240307_01.vrc");
  for (std::uint16_t i = 1; i <= 5; ++i) RecordLive(i, 100);
  Graphs().ShowFile1Click();
  for (std::uint16_t i = 6; i <= 25; ++i) RecordLive(i, 100);
  EXPECT_EQ(Count(1), 0);
  Graphs().Showonlinesession1Click();
  EXPECT_EQ(Count(1), 25);
  EXPECT_EQ(Count(18), 25);
  EXPECT_EQ(status_.Panels[StatusPanel::Strokes], " Strokes: 25");
  EXPECT_EQ(status_.Panels[StatusPanel::Weight], " Weight: 82 Kg");
  EXPECT_EQ(status_.Panels[StatusPanel::FileOrHint], "/tmp/20240307_01.vrc");
  EXPECT_DOUBLE_EQ(Graphs().Chart1().xAxis->range().upper, 250);
}

TEST_F(ViewsTest, RedrawKeepsTheFileViewWithTheNewFilter) {
  core_->EditSettings().SetAverageFilter(4);
  const float powers[] = {100, 200, 300, 400, 500};
  for (std::uint16_t i = 0; i < 5; ++i) StoreFileStroke(static_cast<std::uint16_t>(i + 1), powers[i]);
  CoreStateForTests::File(*core_).FileHeader.FileName.Assign("/tmp/a.vrc");
  Graphs().ShowFile1Click();
  EXPECT_EQ(Ys(Graphs().Series(3)), (std::vector<double>{100, 150, 200, 250, 350}));
  core_->EditSettings().SetAverageFilter(1);
  Graphs().RedrawView();
  EXPECT_EQ(Ys(Graphs().Series(3)), (std::vector<double>{100, 200, 300, 400, 500}));
  EXPECT_EQ(Ys(Graphs().Series(17)), (std::vector<double>{100, 200, 300, 400, 500}));
  EXPECT_FALSE(Graphs().OnlineGraphChecked());
  EXPECT_EQ(core_->Session().OnlineShown, 0);
  EXPECT_EQ(status_.Panels[StatusPanel::FileOrHint], "/tmp/a.vrc");
}

TEST_F(ViewsTest, RedrawInTheOnlineViewAppliesANewSpeedUnit) {
  RecordLive(1, 100);
  RecordLive(2, 100);
  core_->EditSettings().SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  Graphs().RedrawView();
  EXPECT_EQ(Graphs().Series(1).name(), "Speed [M/S]");
  EXPECT_EQ(Graphs().Series(9).name(), "Speed [M/S]");
  EXPECT_EQ(Ys(Graphs().Series(1)), (std::vector<double>{4.0, 4.0}));
  EXPECT_TRUE(Graphs().OnlineGraphChecked());
}

class NoMessages : public MessageSink {
 public:
  void ShowMessage(std::string_view text) override { ADD_FAILURE() << "unexpected message " << text; }
};

class NoDialogs : public SessionDialogs {
 public:
  std::optional<std::string> AskSaveNextSession(std::string_view) override { return std::nullopt; }
  void ShowOnlineWeight(std::string_view) override {}
  void ShowFilePersonalData(const PersonalData&) override {}
};

TEST_F(ViewsTest, OpeningARecordFileShowsItAsTheFileView) {
  const test::TemporaryFolder folder;
  const std::string path =
      test::MakeRecordFile(folder, "two_sessions.vrc", {"--strokes", "40", "--sessions", "2", "--weight", "77"});

  WatchViews();
  NoMessages messages;
  NoDialogs dialogs;
  ScreenSinks sinks{status_, messages, Graphs(), dialogs};
  RecordReader(*core_, sinks).OpenRecordFile(path);

  const int strokes = static_cast<int>(core_->FileStrokes().Count());
  EXPECT_GT(strokes, 60);
  EXPECT_EQ(Count(1), strokes);
  EXPECT_EQ(Count(9), strokes);
  EXPECT_EQ(Count(17) + Count(18), strokes);
  const std::vector<double> xs = Xs(Graphs().Series(1));
  EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
  EXPECT_EQ(views_.back(), false);
  EXPECT_EQ(status_.Panels[StatusPanel::Weight], " Weight: 77 Kg");
  EXPECT_EQ(status_.Panels[StatusPanel::FileOrHint], path);
  Graphs().Chart1().replot();
  EXPECT_DOUBLE_EQ(Graphs().Chart1().xAxis->range().upper, xs.back());
}

}  // namespace
}  // namespace veltrasko

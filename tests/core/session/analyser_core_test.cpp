// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/analyser_core.h"

#include <gtest/gtest.h>

#include <string>

#include "session/session_recorder.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::DeliverFrame;
using test::RecordingSinks;
using test::TemporaryFolder;

class AnalyserCoreTest : public ::testing::Test {
 protected:
  // A session recorded into race_00.vrc, with `strokes` strokes so far.
  void Record(std::uint16_t strokes) {
    core.Savenext(folder.File("race.vrc"));
    core.ConnectionConfirmed();
    DeliverFrame(recorder, SessionStartTag, EncodeSessionStart(118, 72).Bytes);
    for (std::uint16_t n = 1; n <= strokes; ++n) DeliverFrame(recorder, StrokeTag, AcceptedStroke(n).Bytes);
  }

  TemporaryFolder folder;
  AnalyserCore core;
  RecordingSinks screen;
  ScreenSinks sinks = screen.Sinks();
  SessionRecorder recorder{core, sinks};
};

TEST_F(AnalyserCoreTest, ViewSwitchReplotsOnlyOnAChangeAndRedrawReplotsTheViewShown) {
  Record(2);
  EXPECT_EQ(core.ShowOnlineGraph().Replot, nullptr);

  const ViewChange file = core.ShowFileGraph();
  EXPECT_EQ(file.Replot, &core.FileStrokes());
  EXPECT_EQ(file.Strokes.View(), " Strokes: 0");
  EXPECT_EQ(file.Weight.View(), " Weight: 0 Kg");
  EXPECT_EQ(file.FileOrHint, "");
  EXPECT_FALSE(core.OnlineShown());
  EXPECT_EQ(core.ShowFileGraph().Replot, nullptr);
  EXPECT_EQ(core.RedrawView().Replot, &core.FileStrokes());

  const ViewChange online = core.ShowOnlineGraph();
  EXPECT_EQ(online.Replot, &core.OnlineStrokes());
  EXPECT_EQ(online.Strokes.View(), " Strokes: 2");
  EXPECT_EQ(online.Weight.View(), " Weight: 72 Kg");
  EXPECT_EQ(online.FileOrHint, folder.File("race_00.vrc"));
  EXPECT_EQ(core.RedrawView().Replot, &core.OnlineStrokes());
}

TEST_F(AnalyserCoreTest, SaveNextTakesANameAndResetsTheBoxOnlyBeforeTheFirstStroke) {
  EXPECT_FALSE(core.Savenext(std::nullopt).NameTaken);
  EXPECT_FALSE(core.Savenext(std::string()).NameTaken);
  EXPECT_EQ(core.Session().SaveNameChosen, 0);

  const SaveNextResult first = core.Savenext(folder.File("a.vrc"));
  EXPECT_TRUE(first.NameTaken && first.ResetBox);
  EXPECT_EQ(first.Hint, " Reset the ergo computer.");
  EXPECT_EQ(core.Session().SaveDialogFileName, folder.File("a.vrc"));
  EXPECT_EQ(core.Session().SaveNameChosen, 1);

  Record(1);
  const SaveNextResult during = core.Savenext(folder.File("b.vrc"));
  EXPECT_TRUE(during.NameTaken);
  EXPECT_FALSE(during.ResetBox);
}

TEST_F(AnalyserCoreTest, LostBoxKeepsTheFileUntilTheDisconnectEndsTheSession) {
  EXPECT_TRUE(core.BoxLost().Tip.empty());
  Record(1);
  EXPECT_EQ(core.BoxLost().Tip, folder.File("race_00.vrc"));
  EXPECT_TRUE(core.Session().Record.IsOpen());
  EXPECT_EQ(core.Savenext(folder.File("next.vrc")).Hint, " Box unplugged! Waiting for it...");

  core.DisconnectBox();
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_EQ(core.Session().NewFileNeeded, 1);
  EXPECT_EQ(core.Session().SessionOpen, 0);
  // A stroke still arriving counts nowhere.
  DeliverFrame(recorder, StrokeTag, AcceptedStroke(2).Bytes);
  EXPECT_EQ(core.Session().StrokeCount, 1u);
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>

#include "graph/mark_texts.h"
#include "graph/readout_band.h"
#include "graph_fixture.h"
#include "session/record_reader.h"
#include "support/process_runner.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

class ReadoutTest : public GraphTest {
 protected:
  void Open(const std::vector<std::string>& arguments) {
    const std::string path = test::MakeRecordFile(folder_, "known.vrc", arguments);
    ScreenSinks sinks{recorded_, recorded_, Graphs(), recorded_};
    RecordReader(*core_, sinks).OpenRecordFile(path);
  }

  // The mean of a value over the table's last `strokes` rows.
  double LastMean(float StrokeRow::*value, std::uint32_t strokes) const {
    const StrokeTable& table = core_->FileStrokes();
    double sum = 0;
    for (std::uint32_t i = table.Count() - strokes; i < table.Count(); ++i) sum += table[i].*value;
    return sum / strokes;
  }

  test::TemporaryFolder folder_;
  test::RecordingSinks recorded_;
};

TEST_F(ReadoutTest, FileReadoutShowsTheNumbersTheLinesEndAt) {
  core_->EditSettings().SetAverageFilter(6);
  Open({"--strokes", "60"});
  const ReadoutBand band(Graphs().Readout());
  const ReadoutTexts texts = band.Texts();
  const StrokeTable& table = core_->FileStrokes();
  ASSERT_GT(table.Count(), 40u);
  const StrokeRow& last = table[table.Count() - 1];

  EXPECT_EQ(texts[ReadoutDistance].Text(), std::to_string(static_cast<int>(last.TotalDistance)) + " m");
  EXPECT_EQ(texts[ReadoutPaddleTime].Text(), HoursMinutesSeconds(last.PaddleTime));
  // The band and the lines agree to the digit ...
  EXPECT_EQ(texts[ReadoutSpeed].Text(), FixedText(Ys(Graphs().Series(1)).back(), 1) + " km/h");
  EXPECT_EQ(texts[ReadoutStrokeRate].Value, FixedText(Ys(Graphs().Series(2)).back(), 0));
  EXPECT_EQ(texts[ReadoutPower].Value, FixedText(Ys(Graphs().Series(3)).back(), 0));
  EXPECT_EQ(texts[ReadoutHeartRate].Value, FixedText(Ys(Graphs().Series(7)).back(), 0));
  // ... and both are the mean of the last six strokes.
  const double speed = LastMean(&StrokeRow::Speed, 6);
  EXPECT_NEAR(std::stod(texts[ReadoutSpeed].Value), speed * 3.6, 0.051);
  EXPECT_EQ(texts[ReadoutPace].Text(), PaceText(Ys(Graphs().Series(1)).back() / KilometresPerHourFactor) + " /500 m");
  EXPECT_NEAR(std::stod(texts[ReadoutPower].Value), LastMean(&StrokeRow::Power, 6), 0.51);
  EXPECT_NEAR(std::stod(texts[ReadoutHeartRate].Value), LastMean(&StrokeRow::HeartRate, 6), 0.51);

  // The box knew every stroke's side: the last ten rows are the last ten one-sided strokes.
  double left = 0;
  double right = 0;
  for (std::uint32_t i = table.Count() - 10; i < table.Count(); ++i)
    (table[i].Side == 1 ? left : right) += table[i].Power;
  EXPECT_EQ(texts[ReadoutBalance].Text(), BalanceText(static_cast<int>(std::lround(100 * left / (left + right)))));
}

}  // namespace
}  // namespace veltrasko

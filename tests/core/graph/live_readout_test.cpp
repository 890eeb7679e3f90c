// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/live_readout.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrasko {
namespace {

StrokeRow Stroke(std::uint16_t number, std::uint8_t side, float power) {
  StrokeRow row;
  row.Side = side;
  row.StrokeNumber = number;
  row.TotalDistance = 4.0f * number;
  row.PaddleTime = 1.0f * number;
  row.Speed = 4.0f;
  row.StrokeRate = 60.0f;
  row.Power = power;
  row.HeartRate = 140.0f;
  return row;
}

class LiveReadoutTest : public testing::Test {
 protected:
  void Plot(const StrokeRow& row) {
    const StrokePoints points = filters.PlotPoints(row, settings);
    readout.Take(row, points, filters.SpeedFactor);
  }

  std::string Text(ReadoutItem item) const { return readout.Texts()[item].Text(); }

  UserSettings settings = UserSettings::Defaults();
  PlotFilters filters;
  LiveReadout readout;
};

TEST_F(LiveReadoutTest, ShowsTheNewestStrokeWithTheAveragesThatArePlotted) {
  settings.SetAverageFilter(4);
  settings.SetSpeedUnit(SpeedUnitCode::KilometresPerHour);
  const float speeds[] = {9.0f, 4.0f, 4.0f, 4.0f, 5.0f};
  for (std::uint16_t n = 1; n <= 5; ++n) {
    StrokeRow row = Stroke(n, 2, 100.0f * n);
    row.Speed = speeds[n - 1];
    row.StrokeRate = 58.0f + 2 * n;
    row.HeartRate = 138.0f + 2 * n;
    if (n == 5) {
      row.PaddleTime = 3723.9f;
      row.TotalDistance = 1234.9f;
    }
    Plot(row);
  }
  EXPECT_EQ(Text(ReadoutPaddleTime), "1:02:03");
  EXPECT_EQ(Text(ReadoutDistance), "1234 m");
  EXPECT_EQ(Text(ReadoutSpeed), "15.3 km/h");  // 4.25 m/s
  EXPECT_EQ(Text(ReadoutPace), "1:57.6 /500 m");
  EXPECT_EQ(Text(ReadoutStrokeRate), "65 str/min");
  EXPECT_EQ(Text(ReadoutPower), "350 W");
  EXPECT_EQ(Text(ReadoutHeartRate), "145 bpm");

  settings.SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  Plot(Stroke(6, 2, 100));
  EXPECT_EQ(Text(ReadoutSpeed), "4.25 m/s");
}

TEST_F(LiveReadoutTest, LeavesBlankWhatIsNotKnown) {
  EXPECT_TRUE(readout.Empty());
  for (const ReadoutCell& cell : readout.Texts()) EXPECT_EQ(cell.Text(), "");

  StrokeRow still = Stroke(1, 2, 0);
  still.Speed = 0;
  still.HeartRate = 0;
  Plot(still);
  EXPECT_EQ(Text(ReadoutPaddleTime), "0:00:01");
  EXPECT_EQ(Text(ReadoutSpeed), "0.0 km/h");
  EXPECT_EQ(Text(ReadoutPace), "");
  EXPECT_EQ(Text(ReadoutHeartRate), "");
  EXPECT_EQ(Text(ReadoutBalance), "");  // both sides: no balance

  Plot(Stroke(2, 1, 100));
  EXPECT_EQ(Text(ReadoutBalance), "L 100 % | R 0 %");
  readout.Clear();
  EXPECT_EQ(Text(ReadoutPaddleTime), "");
  Plot(Stroke(3, 2, 100));
  EXPECT_EQ(Text(ReadoutBalance), "");
}

TEST_F(LiveReadoutTest, BalanceCountsTheLastTenOneSidedStrokes) {
  std::uint16_t n = 0;
  for (int i = 0; i < 4; ++i) Plot(Stroke(++n, 1, 900));  // gone once ten more one-sided strokes follow
  for (int i = 0; i < 5; ++i) {
    Plot(Stroke(++n, 1, 100));
    Plot(Stroke(++n, 2, 900));  // both sides tell nothing
    Plot(Stroke(++n, 0, 150));
  }
  EXPECT_EQ(Text(ReadoutBalance), "L 40 % | R 60 %");

  // A second session in the same file counts afresh.
  Plot(Stroke(1, 0, 100));
  EXPECT_EQ(Text(ReadoutBalance), "L 0 % | R 100 %");
}

TEST(ReadoutTextTest, TimesAndPacesAreCutAndRoundedAsAWatchShowsThem) {
  EXPECT_EQ(HoursMinutesSeconds(0), "0:00:00");
  EXPECT_EQ(HoursMinutesSeconds(59.99), "0:00:59");
  EXPECT_EQ(HoursMinutesSeconds(36000), "10:00:00");
  EXPECT_EQ(PaceText(2.0), "4:10.0");
  EXPECT_EQ(PaceText(500.0 / 119.96), "2:00.0");
  EXPECT_EQ(PaceText(500.0 / 3599.9), "59:59.9");
  EXPECT_EQ(PaceText(500.0 / 3600.0), "");
  EXPECT_EQ(PaceText(-1.0), "");
  EXPECT_EQ(BalanceText(49), "L 49 % | R 51 %");
}

}  // namespace
}  // namespace veltrasko

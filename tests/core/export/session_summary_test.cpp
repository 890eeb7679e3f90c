// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/session_summary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "export/summary_text.h"
#include "session/stroke_computation.h"

namespace veltrasko {
namespace {

struct Stroke {
  std::uint8_t Side;
  float Distance;
  float Paddle;
  float Clock;
  float Power;
  float Work;
  float HeartRate = 0;
  float StrokeTime = 2;
  float Speed = 0;
  float StrokeRate = 0;
};

std::unique_ptr<StrokeTable> Table(std::initializer_list<Stroke> strokes) {
  auto table = std::make_unique<StrokeTable>();
  table->MarkEmpty();
  for (const Stroke& s : strokes) {
    StrokeRow& row = table->WorkingRow();
    row = StrokeRow{};
    row.Side = s.Side;
    row.TotalDistance = s.Distance;
    row.PaddleTime = s.Paddle;
    row.ClockTime = s.Clock;
    row.Power = s.Power;
    row.Work = s.Work;
    row.HeartRate = s.HeartRate;
    row.StrokeTime = s.StrokeTime;
    row.Speed = s.Speed;
    row.StrokeRate = s.StrokeRate;
    table->FinishStroke(true);
  }
  return table;
}

// Left and right strokes, a pause of 5 s before the third stroke and a clock
// step only 0.5 s longer than the paddle step before the fourth; the 500 m
// mark falls between the second and the third stroke.
std::unique_ptr<StrokeTable> PausedSession() {
  return Table({{1, 200, 60, 1000, 100, 200},
                {0, 400, 120, 1060, 150, 300, 140},
                {1, 600, 180, 1125, 200, 400, 150},
                {2, 700, 210, 1155.5f, 50, 60}});
}

// Two sessions, both sides in every stroke and no heart rate: the first ends
// on a split boundary, the second (after a reset) passes two boundaries in
// one stroke.
std::unique_ptr<StrokeTable> TwoSessions() {
  return Table({{2, 250, 50, 10, 100, 250, 0, 2.5f},
                {2, 500, 100, 60, 120, 300, 0, 2.5f},
                {2, 300, 60, 500, 110, 220},
                {2, 1200, 240, 680, 90, 180}});
}

TEST(SessionSummaryTest, FiguresOfAPausedSessionWithASplitBetweenStrokes) {
  const std::vector<SessionSummary> sessions = SummariseSessions(*PausedSession());
  ASSERT_EQ(sessions.size(), 1u);
  const SessionSummary& s = sessions[0];
  EXPECT_EQ(s.Strokes, 4u);
  EXPECT_DOUBLE_EQ(s.Distance, 700);
  EXPECT_DOUBLE_EQ(s.PaddleTime, 210);
  EXPECT_DOUBLE_EQ(s.ClockTime, 1155.5 - 1000 + 60);
  EXPECT_EQ(s.Pauses, 1u);
  EXPECT_DOUBLE_EQ(s.PauseTime, 5);
  EXPECT_DOUBLE_EQ(*s.AverageSpeed, 700.0 / 210);
  EXPECT_DOUBLE_EQ(*s.AveragePace, 150);
  EXPECT_DOUBLE_EQ(*s.AveragePower, 960.0 / 8);
  EXPECT_DOUBLE_EQ(s.MaxPower, 200);
  EXPECT_DOUBLE_EQ(s.TotalWork, 960);
  EXPECT_DOUBLE_EQ(*s.AverageStrokeRate, 30);
  EXPECT_DOUBLE_EQ(s.AverageStrokeDistance, 175);
  EXPECT_DOUBLE_EQ(*s.AverageHeartRate, 145);
  EXPECT_DOUBLE_EQ(*s.MaxHeartRate, 150);
  EXPECT_DOUBLE_EQ(*s.LeftPowerPercent, 100.0 * 300 / 450);

  ASSERT_EQ(s.Splits.size(), 2u);
  // 500 m reached at 120 s + 100 m of the 200 m between the strokes' 60 s.
  EXPECT_DOUBLE_EQ(s.Splits[0].Length, 500);
  EXPECT_DOUBLE_EQ(s.Splits[0].Time, 150);
  EXPECT_DOUBLE_EQ(*s.Splits[0].Power, 500.0 / 4);
  EXPECT_DOUBLE_EQ(*s.Splits[0].StrokeRate, 30);
  EXPECT_DOUBLE_EQ(s.Splits[1].Length, 200);
  EXPECT_DOUBLE_EQ(s.Splits[1].Time, 60);
  EXPECT_DOUBLE_EQ(*s.Splits[1].Power, 460.0 / 4);
}

TEST(SessionSummaryTest, EachSessionOfAFileStandsAloneWithBlanksForWhatItLacks) {
  const std::vector<SessionSummary> sessions = SummariseSessions(*TwoSessions());
  ASSERT_EQ(sessions.size(), 2u);

  const SessionSummary& first = sessions[0];
  EXPECT_EQ(first.Strokes, 2u);
  EXPECT_DOUBLE_EQ(first.Distance, 500);
  EXPECT_DOUBLE_EQ(*first.AverageStrokeRate, 60.0 * 2 / 5);
  EXPECT_FALSE(first.AverageHeartRate);
  EXPECT_FALSE(first.MaxHeartRate);
  EXPECT_FALSE(first.LeftPowerPercent);
  ASSERT_EQ(first.Splits.size(), 1u) << "ending on the boundary leaves no shorter split";
  EXPECT_DOUBLE_EQ(first.Splits[0].Time, 100);

  const SessionSummary& second = sessions[1];
  EXPECT_EQ(second.Strokes, 2u);
  EXPECT_DOUBLE_EQ(second.Distance, 1200);
  EXPECT_DOUBLE_EQ(second.ClockTime, 680 - 500 + 60);
  EXPECT_EQ(second.Pauses, 0u);
  EXPECT_DOUBLE_EQ(second.MaxPower, 110);
  ASSERT_EQ(second.Splits.size(), 3u);
  // From the session's start at 0 m, 0 s to the first stroke, then on to the second.
  EXPECT_DOUBLE_EQ(second.Splits[0].Time, 100);
  EXPECT_DOUBLE_EQ(*second.Splits[0].Power, 110);
  EXPECT_DOUBLE_EQ(second.Splits[1].Time, 100);
  EXPECT_FALSE(second.Splits[1].Power) << "no stroke ends inside the second split";
  EXPECT_FALSE(second.Splits[1].StrokeRate);
  EXPECT_DOUBLE_EQ(second.Splits[2].Length, 200);
  EXPECT_DOUBLE_EQ(second.Splits[2].Time, 40);
  EXPECT_DOUBLE_EQ(*second.Splits[2].Power, 90);
}

// The box's 32-bit tick counters run over after 2^32 ticks and start again
// at 0; a longer session's times are counted on past that.
TEST(SessionSummaryTest, TimesRunOnPastTheTickCountersAndSessionsCombine) {
  const float runOver = 4294967296.0 / StrokeConstants::TicksPerSecond;
  const std::vector<SessionSummary> sessions =
      SummariseSessions(*Table({{1, 400, runOver - 100, runOver - 50, 100, 200, 0, 2, 4.2f, 31},
                                {0, 600, 50, 110, 300, 600, 0, 2, 3.9f, 33},  // both counters ran over; a 10 s pause
                                {2, 100, 20, 30, 500, 1000, 120, 2}}));       // the box was reset
  ASSERT_EQ(sessions.size(), 2u);
  const SessionSummary& s = sessions[0];
  EXPECT_NEAR(s.PaddleTime, runOver + 50.0, 1e-2);
  EXPECT_NEAR(s.ClockTime, runOver + 60.0, 1e-2);
  EXPECT_NEAR(s.ClockOrigin, 50.0, 1e-2);
  EXPECT_EQ(s.Pauses, 1u);
  EXPECT_NEAR(s.PauseTime, 10, 1e-2);
  ASSERT_EQ(s.Splits.size(), 2u);
  // 500 m is half-way between the rows' counted-on paddle times.
  EXPECT_NEAR(s.Splits[0].Time, runOver - 25.0, 1e-2);
  EXPECT_NEAR(s.Splits[1].Time, 75.0, 1e-2);
  EXPECT_FLOAT_EQ(s.MaxSpeed, 4.2f);
  EXPECT_FLOAT_EQ(s.MaxStrokeRate, 33);
  EXPECT_EQ(sessions[1].FirstRow, 2u);
  EXPECT_DOUBLE_EQ(sessions[1].ClockTime, 20);

  const SessionSummary all = CombinedSummary(sessions);
  EXPECT_EQ(all.Strokes, 3u);
  EXPECT_DOUBLE_EQ(all.Distance, 700);
  EXPECT_NEAR(all.ClockTime, runOver + 80.0, 1e-2);
  EXPECT_DOUBLE_EQ(all.MaxPower, 500);
  EXPECT_DOUBLE_EQ(*all.AveragePower, 1800.0 / 6);
  EXPECT_DOUBLE_EQ(*all.AverageHeartRate, 120);
  EXPECT_DOUBLE_EQ(*all.LeftPowerPercent, 25) << "side 2 is neither side";
  EXPECT_TRUE(all.Splits.empty());
}

TEST(SessionSummaryTest, EmptyTablesAndImpossibleDistancesEndPromptly) {
  EXPECT_TRUE(SummariseSessions(*Table({})).empty());
  const std::vector<SessionSummary> damaged =
      SummariseSessions(*Table({{2, 0, 0, 0, 0, 0, 0, 0}, {2, 1e30f, 1, 1, 1, 1, 0, 0}}));
  ASSERT_EQ(damaged.size(), 1u);
  EXPECT_FALSE(damaged[0].AverageStrokeRate) << "strokes without a stroke time";
  EXPECT_LE(damaged[0].Splits.size(), 100000u);
}

TEST(SummaryTextTest, TabSeparatedFiguresWithTheDecimalSymbolAndBlankCells) {
  PersonalData personal;
  personal.SetText(PersonNameField, "\xC5sa");
  personal.SetText(SessionDateField, "3-7-2024");
  UserSettings settings = UserSettings::Defaults();
  settings.SetDecimalSymbol(1);

  const std::unique_ptr<StrokeTable> paused = PausedSession();
  const std::string text = SummaryText({*paused, 118, 80, "/data/run_03.vrc", personal}, settings);
  EXPECT_EQ(text.rfind("Record file\t/data/run_03.vrc\nName\t\xC3\x85sa\nSession date [m-d-yyyy]\t3-7-2024\n\n"
                       "Session 1\nStrokes\t4\nDistance [m]\t700,0\nPaddle time [h:mm:ss.t]\t0:03:30,0\n"
                       "Clock time [h:mm:ss.t]\t0:03:35,5\nPauses\t1\nPause time [h:mm:ss.t]\t0:00:05,0\n"
                       "Average speed [m/s]\t3,33\nAverage pace [m:ss.t/500 m]\t2:30,0\n",
                       0),
            0u)
      << text;
  EXPECT_NE(
      text.find("\nLeft/right balance [%]\t66,7\t33,3\n\nSplit\tLength [m]\tTime [m:ss.t]\t"
                "Stroke rate [st/min]\tPower [W]\n1\t500,0\t2:30,0\t30,0\t125,0\n2\t200,0\t1:00,0\t30,0\t115,0\n"),
      std::string::npos)
      << text;

  const std::unique_ptr<StrokeTable> two = TwoSessions();
  const std::string blanks = SummaryText({*two, 118, 80, "", PersonalData{}}, UserSettings::Defaults());
  EXPECT_EQ(blanks.rfind("\nSession 1\nStrokes\t2\n", 0), 0u) << "no file, name or date lines";
  EXPECT_NE(blanks.find("\nAverage heart rate [bpm]\t\nMax heart rate [bpm]\t\nLeft/right balance [%]\t\t\n"),
            std::string::npos);
  EXPECT_NE(blanks.find("\n\nSession 2\n"), std::string::npos);
  EXPECT_NE(blanks.find("\n2\t500.0\t1:40.0\t\t\n3\t200.0\t0:40.0\t30.0\t90.0\n"), std::string::npos) << blanks;
  EXPECT_EQ(SummaryText({*Table({}), 118, 80, "x.vrc", PersonalData{}}, settings), "");
}

}  // namespace
}  // namespace veltrasko

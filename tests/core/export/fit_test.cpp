// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string_view>

#include "export/fit_activity.h"
#include "export/fit_encoder.h"
#include "export/fit_start_time.h"
#include "export/session_summary.h"

namespace veltrasko {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void AddRow(StrokeTable& table, float distance, float paddle, float clock) {
  StrokeRow& row = table.WorkingRow();
  row = StrokeRow{};
  row.TotalDistance = distance;
  row.PaddleTime = paddle;
  row.ClockTime = clock;
  row.Power = 200;
  row.Work = 120;
  row.StrokeTime = 0.6f;
  table.FinishStroke(true);
}

TEST(FitFile, HeaderAndFileCarryTheirCrcs) {
  // The protocol's CRC is the 16-bit CRC with the reflected polynomial 0xA001.
  EXPECT_EQ(FitCrc(Bytes("123456789")), 0xBB3D);

  StrokeTable table;
  AddRow(table, 2.5f, 0.6f, 0.6f);
  AddRow(table, 5.0f, 1.2f, 1.2f);
  const std::vector<SessionSummary> sessions = SummariseSessions(table);
  const std::vector<std::uint8_t> file = EncodeFitActivity({table, sessions, 1709800000, 3600, "1.61"});
  ASSERT_GT(file.size(), 16u);
  EXPECT_EQ(file[0], 14);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(file.data()) + 8, 4), ".FIT");
  EXPECT_EQ(file[4] | file[5] << 8 | file[6] << 16 | file[7] << 24, static_cast<int>(file.size() - 16));
  // A CRC run over the bytes it covers and itself ends at 0.
  EXPECT_EQ(FitCrc(std::span(file).first(14)), 0);
  EXPECT_EQ(FitCrc(file), 0);
}

TEST(FitFile, AFileThatCannotBeCreatedOrWrittenIsReported) {
  StrokeTable table;
  AddRow(table, 2.5f, 0.6f, 0.6f);
  const PersonalData personal{};
  const ExportSource source{table, 118, 80, "", personal};
  EXPECT_FALSE(WriteFitExport("/nonexistent-folder/run.fit", source, std::nullopt, "1.61"));
  EXPECT_FALSE(WriteFitExport("/dev/full", source, std::nullopt, "1.61"));
}

LocalSeconds At(int year, int month, int day, int hour, int minute) {
  return *ParseStartTime(std::to_string(year) + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" +
                         (day < 10 ? "0" : "") + std::to_string(day) + "T" + (hour < 10 ? "0" : "") +
                         std::to_string(hour) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute) + ":00");
}

TEST(FitStart, DateOfThePersonalDataAtTheFileTimeLessTheClock) {
  const CalendarDate date{2024, 3, 7};
  // Written two days later at 18:30 after an hour's session: 17:30 on the date.
  EXPECT_EQ(ReckonedStart(date, At(2024, 3, 9, 18, 30), 3600.4), At(2024, 3, 7, 17, 30));
  // Written at 00:20: an hour before falls on the day before, so noon.
  EXPECT_EQ(ReckonedStart(date, At(2024, 3, 7, 0, 20), 3600), At(2024, 3, 7, 12, 0));
  // No date: the file's own time less the clock.
  EXPECT_EQ(ReckonedStart(std::nullopt, At(2024, 3, 9, 0, 20), 3600), At(2024, 3, 8, 23, 20));

  const std::int64_t unix = 1709800000;
  EXPECT_EQ(UnixFromLocal(LocalFromUnix(unix)), unix);
}

TEST(FitStart, OnlyWholeDatesAndTimesAreRead) {
  const std::optional<CalendarDate> date = ParseSessionDate("3-7-2024");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->Year * 10000 + date->Month * 100 + date->Day, 20240307);
  EXPECT_TRUE(ParseSessionDate("12-31-2100"));
  for (const char* bad : {"", "3-7", "3-7-", "2-30-2024", "13-1-2024", "0-1-2024", "3-7-1999", "3-7-2024x", "a-b-c"})
    EXPECT_FALSE(ParseSessionDate(bad)) << bad;

  EXPECT_EQ(At(2024, 3, 7, 9, 30) + 15, *ParseStartTime("2024-03-07T09:30:15"));
  for (const char* bad : {"2024-03-07 09:30:00", "2024-02-30T00:00:00", "2024-03-07T24:00:00", "2024-3-7T09:30:00",
                          "2024-03-07T09:30:00Z", "1999-12-31T23:59:59"})
    EXPECT_FALSE(ParseStartTime(bad)) << bad;
}

}  // namespace
}  // namespace veltrasko

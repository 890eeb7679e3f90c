// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/fit_start_time.h"

#include <sys/stat.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>

namespace veltrasko {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr LocalSeconds SecondsPerDay = 86400;
constexpr LocalSeconds Noon = 12 * 3600;
constexpr int FirstYear = 2000;
constexpr int LastYear = 2100;

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<CalendarDate> CheckedDate(std::optional<int> year, std::optional<int> month, std::optional<int> day) {
  if (!year || !month || !day || *year < FirstYear || *year > LastYear) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                                         std::chrono::day(static_cast<unsigned>(*day))};
  if (*month < 1 || *day < 1 || !date.ok()) return std::nullopt;
  return CalendarDate{*year, *month, *day};
}

LocalSeconds DayStart(CalendarDate date) {
  const sys_days day{std::chrono::year(date.Year) / date.Month / date.Day};
  return static_cast<LocalSeconds>(day.time_since_epoch().count()) * SecondsPerDay;
}

LocalSeconds FloorToDay(LocalSeconds seconds) {
  const LocalSeconds remainder = seconds % SecondsPerDay;
  return seconds - (remainder < 0 ? remainder + SecondsPerDay : remainder);
}

}  // namespace

std::optional<CalendarDate> ParseSessionDate(std::string_view text) {
  const std::size_t first = text.find('-');
  const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return CheckedDate(Number(text.substr(second + 1)), Number(text.substr(0, first)),
                     Number(text.substr(first + 1, second - first - 1)));
}

std::optional<LocalSeconds> ParseStartTime(std::string_view text) {
  constexpr std::string_view Shape = "YYYY-MM-DDTHH:MM:SS";
  if (text.size() != Shape.size()) return std::nullopt;
  for (std::size_t i = 0; i < Shape.size(); ++i) {
    const bool digitWanted = Shape[i] >= 'A' && Shape[i] <= 'Z' && Shape[i] != 'T';
    if (digitWanted ? (text[i] < '0' || text[i] > '9') : text[i] != Shape[i]) return std::nullopt;
  }
  const std::optional<CalendarDate> date =
      CheckedDate(Number(text.substr(0, 4)), Number(text.substr(5, 2)), Number(text.substr(8, 2)));
  const int hour = *Number(text.substr(11, 2));
  const int minute = *Number(text.substr(14, 2));
  const int second = *Number(text.substr(17, 2));
  if (!date || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return DayStart(*date) + hour * 3600 + minute * 60 + second;
}

LocalSeconds ReckonedStart(std::optional<CalendarDate> sessionDate, LocalSeconds modified, double clockSeconds) {
  const auto clock = static_cast<LocalSeconds>(std::llround(clockSeconds));
  if (!sessionDate) return modified - clock;
  const LocalSeconds day = DayStart(*sessionDate);
  const LocalSeconds start = day + (modified - FloorToDay(modified)) - clock;
  return FloorToDay(start) == day ? start : day + Noon;
}

LocalSeconds LocalFromUnix(std::int64_t unixSeconds) {
  const auto time = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  localtime_r(&time, &local);
  return unixSeconds + local.tm_gmtoff;
}

std::int64_t UnixFromLocal(LocalSeconds local) {
  const std::chrono::year_month_day date{sys_days{days{FloorToDay(local) / SecondsPerDay}}};
  const LocalSeconds ofDay = local - FloorToDay(local);
  std::tm parts{};
  parts.tm_year = static_cast<int>(date.year()) - 1900;
  parts.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  parts.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  parts.tm_hour = static_cast<int>(ofDay / 3600);
  parts.tm_min = static_cast<int>(ofDay / 60 % 60);
  parts.tm_sec = static_cast<int>(ofDay % 60);
  parts.tm_isdst = -1;  // the zone's rule for that day decides
  return std::mktime(&parts);
}

std::int64_t ActivityStart(const std::string& recordPath, std::string_view sessionDateText, double clockSeconds,
                           std::optional<LocalSeconds> givenStart) {
  if (givenStart) return UnixFromLocal(*givenStart);
  struct stat status {};
  const std::int64_t modified = stat(recordPath.c_str(), &status) == 0 ? status.st_mtime : std::time(nullptr);
  return UnixFromLocal(ReckonedStart(ParseSessionDate(sessionDateText), LocalFromUnix(modified), clockSeconds));
}

}  // namespace veltrasko

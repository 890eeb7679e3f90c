// SPDX-License-Identifier: GPL-3.0-or-later
// When the activity of a FIT file began. Record files hold no time of day,
// only the personal data's date (m-d-yyyy) and the box's clock, so the start
// is reckoned from the record file's last change: the time of day it was
// last written, on the personal data's date, less the time paddled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/personal_data.h"

namespace veltrasko {

// Seconds since 1970-01-01 00:00 on the local wall clock, without a zone: the
// arithmetic of dates and times of day.
using LocalSeconds = std::int64_t;

// "3-7-2024"; nothing for a text that is no date of the years 2000 to 2100.
std::optional<CalendarDate> ParseSessionDate(std::string_view text);
// "2024-03-07T09:30:00", a local time, for --start; same years.
std::optional<LocalSeconds> ParseStartTime(std::string_view text);

// The rule itself. With a date: that date at modified's time of day less the
// clock time, when this still falls on that date, else 12:00 on it. Without
// one: modified less the clock time.
LocalSeconds ReckonedStart(std::optional<CalendarDate> sessionDate, LocalSeconds modified, double clockSeconds);

// Between the machine's local time and seconds since 1970-01-01 UTC.
LocalSeconds LocalFromUnix(std::int64_t unixSeconds);
std::int64_t UnixFromLocal(LocalSeconds local);

// The start in seconds since 1970-01-01 UTC: the given start, or the rule
// over the record file's modification time (now when it has none).
std::int64_t ActivityStart(const std::string& recordPath, std::string_view sessionDateText, double clockSeconds,
                           std::optional<LocalSeconds> givenStart);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/personal_data.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace veltrasko {

CalendarDate Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string CompactDateText(CalendarDate date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.Year, date.Month, date.Day);
  return text;
}

namespace {

// Month and day without leading zeros, as the date in personal data is kept.
using SessionDateChars = std::array<char, 32>;
SessionDateChars FormatSessionDate(CalendarDate date) {
  SessionDateChars text{};
  std::snprintf(text.data(), text.size(), "%d-%d-%04d", date.Month, date.Day, date.Year);
  return text;
}

}  // namespace

std::string SessionDateText(CalendarDate date) { return FormatSessionDate(date).data(); }

std::string_view PersonalData::Text(PersonalField field) const {
  const auto* begin = Bytes.data() + field.offset;
  const auto* end = std::find(begin, begin + field.width, std::uint8_t{0});
  return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

void PersonalData::SetText(PersonalField field, std::string_view text) {
  const std::size_t length = std::min(text.size(), field.width - 1);
  std::copy_n(text.data(), length, Bytes.data() + field.offset);
  Bytes[field.offset + length] = 0;
}

void PersonalData::EmptyTexts() {
  for (PersonalField field : {PersonNameField, FanResistanceField, WeightTextField, SessionDateField})
    Bytes[field.offset] = 0;
}

void StampSessionDate(PersonalData& data, CalendarDate today) {
  // Formatted on the stack: the recorder stamps at every session start.
  data.SetText(SessionDateField, FormatSessionDate(today).data());
}

std::string WeightFieldText(std::int16_t weight) {
  if (weight >= 1000 || weight < -99) return "???";
  return std::to_string(weight);
}

}  // namespace veltrasko

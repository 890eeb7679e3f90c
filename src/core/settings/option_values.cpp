// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/option_values.h"

#include <array>

namespace veltrasko {
namespace {

constexpr std::array<const char*, 3> LineWidthTexts{"Thin line", "Normal line", "Thick line"};
constexpr std::array<const char*, 6> FilterTexts{"No filter", "2 strokes", "4 strokes",
                                                 "6 strokes", "8 strokes", "10 strokes"};
constexpr const char* UnknownValueText = "ERROR";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int32_t> ReadLeadingInteger(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
  std::int64_t value = 0;
  while (at < text.size() && IsDigit(text[at]) && value <= INT32_MAX) value = value * 10 + (text[at++] - '0');
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<std::int32_t>(negative ? -value : value);
}

const char* LineWidthText(std::uint8_t level) {
  return level >= 1 && level <= LineWidthTexts.size() ? LineWidthTexts[level - 1] : UnknownValueText;
}

const char* FilterText(std::uint8_t filter) {
  if (!OfferedFilterLength(filter)) return UnknownValueText;
  return FilterTexts[filter / 2];
}

std::uint8_t FilterForItem(int index) { return index == 0 ? 1 : static_cast<std::uint8_t>(2 * index); }

UserSettings SafeForGraphs(const UserSettings& fromFile) {
  // The defaults of a new file are also what a repair puts in place of these fields.
  const UserSettings defaults = UserSettings::Defaults();
  UserSettings safe = fromFile;
  safe.SetAverageFilter(fromFile.FilterLength());
  if (safe.OnlineWindowDistance() < 1) safe.SetOnlineWindowDistance(defaults.OnlineWindowDistance());
  if (safe.OnlineWindowTime() < 1) safe.SetOnlineWindowTime(defaults.OnlineWindowTime());
  return safe;
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/mark_texts.h"

#include <array>
#include <charconv>

namespace veltrasko {
namespace {

constexpr int SpeedDistanceSeries = 1;

constexpr std::array<MarkTextHandler, 18> MarkTextHandlers{{
    {1, 9, "Speed: ", 1, " KM/H"},  // " M/S" with two decimals otherwise
    {2, 10, "Stroke rate: ", 1, " Strokes/min."},
    {3, 11, "Power: ", 1, " Watts"},
    {4, 12, "Water section: ", 1, " Pct."},
    {5, 13, "Water dist.: ", 3, " Meters"},
    {6, 14, "Air time ", 3, " Seconds"},
    {7, 15, "Heart rate ", 0, " Strokes/min."},
    {8, 16, "Stroke distance: ", 2, " Meters"},
    {17, 25, "Power - Left: ", 1, " Watts"},
    {18, 26, "Power - Right: ", 1, " Watts"},
    {19, 27, "Stroke distance - Left: ", 2, " Meters"},
    {20, 28, "Stroke distance - Right: ", 2, " Meters"},
    {21, 29, "Water dist. - Left: ", 3, " Meters"},
    {22, 30, "Water dist. - Right: ", 3, " Meters"},
    {23, 31, "Air time - Left: ", 3, " Seconds"},
    {24, 32, "Air time - Right: ", 3, " Seconds"},
    {33, 35, "Work - Left: ", 1, " Joule"},
    {34, 36, "Work - Right: ", 1, " Joule"},
}};

}  // namespace

const MarkTextHandler* MarkTextHandlerOf(int seriesNumber) {
  for (const MarkTextHandler& handler : MarkTextHandlers) {
    if (handler.DistanceSeries == seriesNumber || handler.TimeSeries == seriesNumber) return &handler;
  }
  return nullptr;
}

std::string FixedText(double value, int decimals) {
  std::array<char, 64> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
  // Only a value beyond any plausible measurement overflows 64 characters.
  if (result.ec != std::errc()) return "?";
  return std::string(text.data(), result.ptr);
}

std::string MarkText(const MarkTextHandler& handler, double y, SpeedUnitCode speedUnit) {
  if (handler.DistanceSeries == SpeedDistanceSeries && speedUnit != SpeedUnitCode::KilometresPerHour)
    return handler.Prefix + FixedText(y, 2) + " M/S";
  return handler.Prefix + FixedText(y, handler.Decimals) + handler.Suffix;
}

std::string PointTipText(int askingSeries, bool askingShown, double y, SpeedUnitCode speedUnit) {
  const MarkTextHandler* handler = MarkTextHandlerOf(askingSeries);
  if (!askingShown || handler == nullptr) return {};
  return MarkText(*handler, y, speedUnit);
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the point tips: the value of the point under the mouse with
// its name and unit, one handler for the distance and the time copy of a
// value. Plain text, so the wording and rounding are checked without a window.
#pragma once

#include <cstdint>
#include <string>

#include "settings/user_settings.h"

namespace veltrasko {

struct MarkTextHandler {
  int DistanceSeries;  // the handler is named after it: Series1GetMarkText, ...
  int TimeSeries;
  const char* Prefix;
  int Decimals;
  const char* Suffix;
};

// The handler that serves series 1 .. 36; nullptr for any other number.
const MarkTextHandler* MarkTextHandlerOf(int seriesNumber);

// The plotted value y in the handler's words; the speed follows the unit it
// is plotted in.
std::string MarkText(const MarkTextHandler& handler, double y, SpeedUnitCode speedUnit);

// The tip for a point of the asking series: empty for a hidden series, as
// for a series number no handler serves.
std::string PointTipText(int askingSeries, bool askingShown, double y, SpeedUnitCode speedUnit);

// value with exactly decimals digits after a '.', rounded to the nearest,
// whatever the locale.
std::string FixedText(double value, int decimals);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The text of the readout box that follows the pointer over a graph: the
// stroke nearest to it and the plotted values of the shown series there, in
// the words and decimals of the point tips.
#pragma once

#include <span>
#include <string>

#include "graph/plotted_strokes.h"
#include "settings/user_settings.h"

namespace veltrasko {

struct ReadoutValue {
  int Series = 0;  // 1 .. 36
  double Y = 0;    // as plotted: averaged, the speed in its unit
};

// One line each: the stroke number, its distance, its paddle time, then
// the values in the order given.
std::string PointReadoutText(const PlottedStroke& stroke, std::span<const ReadoutValue> values,
                             SpeedUnitCode speedUnit);

}  // namespace veltrasko

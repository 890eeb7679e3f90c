// SPDX-License-Identifier: GPL-3.0-or-later
// One point of a plotted line, in the units of its axes.
#pragma once

namespace veltrasko {

struct PlotPoint {
  double X = 0;
  double Y = 0;
};

}  // namespace veltrasko

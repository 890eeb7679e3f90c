// SPDX-License-Identifier: GPL-3.0-or-later
// The part of a plotted line that lies within the plot area, for painting
// onto devices that ignore the painter's clip (the SVG generator does): what
// they draw then ends at the plot's edges, as on screen.
#pragma once

#include <span>
#include <vector>

#include "graph/plot_point.h"

namespace veltrasko {

// Both edges of each direction belong to the area.
struct PlotArea {
  double Left;
  double Right;
  double Bottom;
  double Top;
};

// The line through points (in x order), cut to area: where it leaves the
// area, a point with the leaving x and a NaN y marks the gap, as a graph
// draws it. Points that are not finite break the line too. The result is in
// x order again.
std::vector<PlotPoint> ClipLine(std::span<const PlotPoint> points, const PlotArea& area);

}  // namespace veltrasko

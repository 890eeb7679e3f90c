// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/plot_navigation.h"

#include <cmath>

namespace veltrasko {
namespace {

// Each notch takes off or adds about a seventh of the span: a few notches
// go from a session to a few strokes without jumping past them.
constexpr double NarrowingPerNotch = 0.85;
constexpr double SmallestSpan = 1e-6;
constexpr double LargestSpan = 1e12;

}  // namespace

double WheelZoomFactor(double steps) { return std::pow(NarrowingPerNotch, steps); }

AxisRange ZoomedAbout(const AxisRange& range, double fixedPoint, double factor) {
  const AxisRange zoomed{fixedPoint + (range.Lower - fixedPoint) * factor,
                         fixedPoint + (range.Upper - fixedPoint) * factor};
  const double span = zoomed.Upper - zoomed.Lower;
  if (!std::isfinite(zoomed.Lower) || !std::isfinite(zoomed.Upper) || !(span >= SmallestSpan) || span > LargestSpan)
    return range;
  return zoomed;
}

AxisRange PannedBy(const AxisRange& atStart, double pixelsMoved, double axisPixels) {
  if (!(axisPixels > 0)) return atStart;
  const double shift = pixelsMoved / axisPixels * (atStart.Upper - atStart.Lower);
  return {atStart.Lower - shift, atStart.Upper - shift};
}

}  // namespace veltrasko

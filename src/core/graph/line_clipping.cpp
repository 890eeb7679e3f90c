// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/line_clipping.h"

#include <cmath>
#include <limits>
#include <optional>

namespace veltrasko {
namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();

bool Finite(const PlotPoint& point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

// The stretch [Enter, Leave] of the segment from 0 (at from) to 1 (at to)
// that lies within the area.
struct Stretch {
  double Enter = 0;
  double Leave = 1;

  // Narrows the stretch to where direction * t <= room; false once nothing is left.
  bool Keep(double direction, double room) {
    if (direction == 0) return room >= 0;
    const double t = room / direction;
    if (direction < 0) {
      if (t > Leave) return false;
      if (t > Enter) Enter = t;
    } else {
      if (t < Enter) return false;
      if (t < Leave) Leave = t;
    }
    return true;
  }
};

std::optional<Stretch> InsideStretch(const PlotPoint& from, const PlotPoint& to, const PlotArea& area) {
  const double dx = to.X - from.X;
  const double dy = to.Y - from.Y;
  Stretch stretch;
  if (stretch.Keep(-dx, from.X - area.Left) && stretch.Keep(dx, area.Right - from.X) &&
      stretch.Keep(-dy, from.Y - area.Bottom) && stretch.Keep(dy, area.Top - from.Y)) {
    return stretch;
  }
  return std::nullopt;
}

PlotPoint At(const PlotPoint& from, const PlotPoint& to, double t) {
  return {from.X + (to.X - from.X) * t, from.Y + (to.Y - from.Y) * t};
}

bool Inside(const PlotPoint& point, const PlotArea& area) {
  return point.X >= area.Left && point.X <= area.Right && point.Y >= area.Bottom && point.Y <= area.Top;
}

}  // namespace

std::vector<PlotPoint> ClipLine(std::span<const PlotPoint> points, const PlotArea& area) {
  std::vector<PlotPoint> clipped;
  if (points.size() == 1 && Finite(points[0]) && Inside(points[0], area)) clipped.push_back(points[0]);
  // Whether the last point written is where the line goes on from.
  bool drawing = false;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const PlotPoint& from = points[i - 1];
    const PlotPoint& to = points[i];
    const std::optional<Stretch> inside = Finite(from) && Finite(to) ? InsideStretch(from, to, area) : std::nullopt;
    if (!inside) {
      if (drawing) clipped.push_back({clipped.back().X, Gap});
      drawing = false;
      continue;
    }
    // A line drawing on left the area nowhere, so it goes on at from.
    if (!drawing) clipped.push_back(inside->Enter == 0 ? from : At(from, to, inside->Enter));
    drawing = inside->Leave == 1;
    clipped.push_back(drawing ? to : At(from, to, inside->Leave));
    if (!drawing) clipped.push_back({clipped.back().X, Gap});
  }
  if (!clipped.empty() && std::isnan(clipped.back().Y)) clipped.pop_back();
  return clipped;
}

}  // namespace veltrasko

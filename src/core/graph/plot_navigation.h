// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of moving about a graph with the mouse: the nearest of a
// run of sorted keys, an axis range zoomed about a point that stays put, and
// a range carried along by a drag. The chart code maps pixels onto these.
#pragma once

#include <cstddef>

namespace veltrasko {

struct AxisRange {
  double Lower = 0;
  double Upper = 0;

  bool operator==(const AxisRange&) const = default;
};

// The index of the key nearest to x among count keys sorted ascending, where
// keyAt(i) gives key i; of two equally near, the earlier; -1 without keys.
// A binary search: a session holds up to 100000 strokes and the pointer
// asks on every move.
template <typename KeyAt>
std::ptrdiff_t NearestKeyIndex(std::ptrdiff_t count, double x, KeyAt&& keyAt) {
  if (count <= 0) return -1;
  // The first key not below x.
  std::ptrdiff_t low = 0;
  std::ptrdiff_t high = count;
  while (low < high) {
    const std::ptrdiff_t middle = low + (high - low) / 2;
    if (keyAt(middle) < x)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == count) return count - 1;
  if (low == 0) return 0;
  return x - keyAt(low - 1) <= keyAt(low) - x ? low - 1 : low;
}

// The factor a range's span is multiplied by for steps notches of the mouse
// wheel: away from the user (positive) narrows it, towards the user widens it.
double WheelZoomFactor(double steps);

// range with its span multiplied by factor while fixedPoint keeps its place.
// A result narrower or wider than any label can tell apart, or not finite,
// leaves range as it was.
AxisRange ZoomedAbout(const AxisRange& range, double fixedPoint, double factor);

// The range at the start of a drag, moved so that what lay under the
// pointer stays under it after pixelsMoved along an axis of axisPixels
// (pixels counted in the direction the values grow).
AxisRange PannedBy(const AxisRange& atStart, double pixelsMoved, double axisPixels);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/plotted_strokes.h"

#include <algorithm>

#include "graph/plot_navigation.h"

namespace veltrasko {

double KeyOf(const PlottedStroke& stroke, StrokeKey key) {
  return key == StrokeKey::Distance ? stroke.Distance : stroke.Time;
}

// Room for a full table at once: adding a live stroke does not allocate.
PlottedStrokes::PlottedStrokes() { strokes_.reserve(StrokeTableCapacity); }

void PlottedStrokes::Add(const StrokeRow& row) {
  strokes_.push_back({row.StrokeNumber, row.TotalDistance, row.PaddleTime});
}

void PlottedStrokes::Clear() {
  strokes_.clear();
  byDistance_.Indices.clear();
  byTime_.Indices.clear();
}

const PlottedStrokes::KeyOrder& PlottedStrokes::UpToDate(StrokeKey key) const {
  KeyOrder& order = key == StrokeKey::Distance ? byDistance_ : byTime_;
  const auto keyAt = [this, key](std::uint32_t index) { return KeyOf(strokes_[index], key); };
  bool inOrder = true;
  for (auto index = static_cast<std::uint32_t>(order.Indices.size()); index < strokes_.size(); ++index) {
    if (!order.Indices.empty() && keyAt(index) < keyAt(order.Indices.back())) inOrder = false;
    order.Indices.push_back(index);
  }
  // Live strokes come in key order; only a new session within a file
  // starts its keys again.
  if (!inOrder) {
    std::stable_sort(order.Indices.begin(), order.Indices.end(),
                     [&keyAt](std::uint32_t a, std::uint32_t b) { return keyAt(a) < keyAt(b); });
  }
  return order;
}

const PlottedStroke* PlottedStrokes::Nearest(StrokeKey key, double x) const {
  const KeyOrder& order = UpToDate(key);
  const std::ptrdiff_t nearest = NearestKeyIndex(
      static_cast<std::ptrdiff_t>(order.Indices.size()), x,
      [&](std::ptrdiff_t i) { return KeyOf(strokes_[order.Indices[static_cast<std::size_t>(i)]], key); });
  return nearest < 0 ? nullptr : &strokes_[order.Indices[static_cast<std::size_t>(nearest)]];
}

}  // namespace veltrasko

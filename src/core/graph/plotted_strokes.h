// SPDX-License-Identifier: GPL-3.0-or-later
// The strokes the graphs hold, in the order they were plotted, so that the
// point under the mouse can be named by its stroke. They are looked up by
// distance or by paddle time; a file of several sessions plots out of key
// order, so each key keeps its own sorted order of the strokes, brought up
// to date when asked rather than with every live stroke.
#pragma once

#include <cstdint>
#include <vector>

#include "session/stroke_table.h"

namespace veltrasko {

struct PlottedStroke {
  std::uint16_t StrokeNumber = 0;
  float Distance = 0;
  float Time = 0;
};

enum class StrokeKey { Distance, Time };

double KeyOf(const PlottedStroke& stroke, StrokeKey key);

class PlottedStrokes {
 public:
  PlottedStrokes();

  void Add(const StrokeRow& row);
  void Clear();
  std::size_t Count() const { return strokes_.size(); }

  // The stroke whose key is nearest to x; nullptr without strokes.
  const PlottedStroke* Nearest(StrokeKey key, double x) const;

 private:
  // Stroke indices in key order; strokes of equal key stay in plotting
  // order, as the graphs' points do.
  struct KeyOrder {
    std::vector<std::uint32_t> Indices;
  };
  const KeyOrder& UpToDate(StrokeKey key) const;

  std::vector<PlottedStroke> strokes_;
  mutable KeyOrder byDistance_;
  mutable KeyOrder byTime_;
};

}  // namespace veltrasko

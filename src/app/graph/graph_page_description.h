// SPDX-License-Identifier: GPL-3.0-or-later
// What tells the two graph pages apart: their graph's name and title, their
// share of the series catalogue, the order of their value check boxes, and
// the texts beside the boxes. Everything else a GraphPage does alike.
#pragma once

#include <array>
#include <span>

#include "graph/series_catalogue.h"

namespace veltrasko {

struct GraphPageDescription {
  int Number;         // 1 or 2: Chart1 and RadioButtonDist1, or Chart2 and RadioButtonDist2
  const char* Title;  // the graph's title at start
  int FirstSeries;
  int SeriesCount;
  int FirstCheckBox;
  int CheckBoxCount;
  std::span<const int> BoxLayout;         // the values' lead boxes, top to bottom
  std::span<const int> TitleOrder;        // the lead boxes in the order of the axis title words
  int StartBox;                           // the value checked at start, both sides of it on Chart2
  std::span<const char* const> Headings;  // the lines above the boxes
  const char* Note;                       // the note under the radio buttons; empty for none

  constexpr int LastSeries() const { return FirstSeries + SeriesCount - 1; }
  constexpr int LastCheckBox() const { return FirstCheckBox + CheckBoxCount - 1; }
};

inline constexpr std::array<const char*, 2> RightLeftHeadings{"     Stroke side", "Left         /        Right "};

inline constexpr GraphPageDescription StrokeValuesPage{1,
                                                       "Stroke values",
                                                       1,
                                                       Chart1SeriesCount,
                                                       1,
                                                       Chart1CheckBoxCount,
                                                       Chart1BoxLayout,
                                                       Chart1TitleOrder,
                                                       Chart1StartBox,
                                                       {},
                                                       ""};

inline constexpr GraphPageDescription RightLeftPage{
    2,
    "Right vs. left stroke side",
    Chart2FirstSeries,
    Chart2SeriesCount,
    Chart2FirstCheckBox,
    Chart2CheckBoxCount,
    Chart2BoxLayout,
    Chart2TitleOrder,
    Chart2StartBox,
    RightLeftHeadings,
    "The right vs. left graph \nwill only work with the \nnewest sensor and \nVeltrasko computer \n"
    "version 1.70 or above."};

}  // namespace veltrasko

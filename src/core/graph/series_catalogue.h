// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed catalogue of the two graphs: for each of the 36 series its check
// box, colour, starting axis side and title suffix, and for each of the 18
// value check boxes its caption, hint, axis title word and series.
#pragma once

#include <array>
#include <cstdint>

namespace veltrasko {

struct SeriesEntry {
  int CaptionCheckBox;   // the captioned box whose caption starts the title
  std::uint32_t Colour;  // 0xRRGGBB
  bool RightAxisAtStart;
  const char* TitleSuffix;  // Series1 and Series9 take theirs from the speed unit
};

inline constexpr int SeriesCount = 36;
inline constexpr int Chart1SeriesCount = 16;  // Series1 .. Series16 belong to Chart1
inline constexpr int Chart2FirstSeries = Chart1SeriesCount + 1;
inline constexpr int Chart2SeriesCount = SeriesCount - Chart1SeriesCount;

// Speed is plotted for every stroke whatever its side, so these two hold the
// newest stroke's distance and time.
inline constexpr int SpeedDistanceSeries = 1;
inline constexpr int SpeedTimeSeries = 9;
// The other averaged values the readout band shows, against distance.
inline constexpr int StrokeRateDistanceSeries = 2;
inline constexpr int PowerDistanceSeries = 3;
inline constexpr int HeartRateDistanceSeries = 7;

// Indexed by series number - 1.
extern const std::array<SeriesEntry, SeriesCount> SeriesCatalogue;

struct CheckBoxEntry {
  const char* Caption;  // empty for the right-side boxes of Chart2
  const char* Hint;
  const char* AxisWord;  // the word in a vertical axis title; empty where the left box speaks for both
  int DistanceSeries;
  int TimeSeries;
};

inline constexpr int ValueCheckBoxCount = 18;  // CheckBox1 .. CheckBox18
inline constexpr int Chart1CheckBoxCount = 8;  // CheckBox1 .. CheckBox8 belong to Chart1
inline constexpr int Chart2FirstCheckBox = Chart1CheckBoxCount + 1;
inline constexpr int Chart2CheckBoxCount = ValueCheckBoxCount - Chart1CheckBoxCount;

// Indexed by check box number - 1.
extern const std::array<CheckBoxEntry, ValueCheckBoxCount> CheckBoxCatalogue;

// True for CheckBox9 .. CheckBox18 of Chart2.
inline bool OnChart2(int checkBox) { return checkBox > Chart1CheckBoxCount; }

// The value a box shows: Chart1's boxes stand alone; on Chart2 the captioned
// left box and the right box beside it form one value.
inline int ValueLeadBox(int checkBox) { return OnChart2(checkBox) && checkBox % 2 == 0 ? checkBox - 1 : checkBox; }
inline int ValuePartnerBox(int checkBox) { return OnChart2(checkBox) ? ValueLeadBox(checkBox) + 1 : 0; }

// The order of the boxes on the pages, top to bottom; on Chart2 the lead
// boxes, each with its partner beside it.
inline constexpr std::array<int, 8> Chart1BoxLayout{1, 3, 2, 7, 8, 5, 6, 4};
inline constexpr std::array<int, 5> Chart2BoxLayout{9, 17, 11, 13, 15};

// The value checked and shown at start: speed on Chart1, the power of both
// sides on Chart2.
inline constexpr int Chart1StartBox = 1;
inline constexpr int Chart2StartBox = 9;

// The order of the words in the vertical axis titles.
inline constexpr std::array<int, 8> Chart1TitleOrder{1, 2, 3, 4, 5, 6, 7, 8};
inline constexpr std::array<int, 5> Chart2TitleOrder{9, 11, 13, 15, 17};

}  // namespace veltrasko

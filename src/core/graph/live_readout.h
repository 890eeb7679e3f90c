// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of the readout band: the newest plotted stroke with the
// averages the graph drew for it, so the band and the lines agree, and the
// power balance of the last one-sided strokes. Each plotted stroke costs a
// few copies; the texts are made only when the band is drawn.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "graph/stroke_filter.h"
#include "session/stroke_table.h"

namespace veltrasko {

inline constexpr std::size_t BalanceStrokes = 10;

// Left and right power over the last ten strokes whose side the box knew;
// strokes marked as both sides tell nothing about the balance.
class PowerBalance {
 public:
  void Clear();
  void Take(const StrokeRow& row);
  // The left side's share in whole percent; none without a one-sided stroke
  // that had power.
  std::optional<int> LeftPercent() const;

 private:
  std::array<float, BalanceStrokes> left_{};
  std::array<float, BalanceStrokes> right_{};
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

// The band's cells, left to right.
enum ReadoutItem {
  ReadoutPaddleTime,
  ReadoutDistance,
  ReadoutSpeed,
  ReadoutPace,
  ReadoutStrokeRate,
  ReadoutPower,
  ReadoutHeartRate,
  ReadoutBalance,
  ReadoutItemCount
};

// A cell: the number in big digits and its unit in small letters after it;
// both empty when there is nothing to show.
struct ReadoutCell {
  std::string Value;
  std::string_view Unit;

  std::string Text() const {
    std::string text = Value;
    if (!text.empty()) text.append(Unit);
    return text;
  }
};
using ReadoutTexts = std::array<ReadoutCell, ReadoutItemCount>;

class LiveReadout {
 public:
  // The graphs were emptied: nothing to show until the next stroke.
  void Clear();
  // One plotted stroke with the points the graph drew for it.
  void Take(const StrokeRow& row, const StrokePoints& points, float speedFactor);

  bool Empty() const { return empty_; }
  ReadoutTexts Texts() const;

 private:
  bool empty_ = true;
  std::uint16_t strokeNumber_ = 0;
  float paddleTime_ = 0;
  float distance_ = 0;
  double speed_ = 0;  // in the unit plotted
  double metresPerSecond_ = 0;
  bool kilometresPerHour_ = false;
  double strokeRate_ = 0;
  double power_ = 0;
  double heartRate_ = 0;
  bool heartRateRead_ = false;
  PowerBalance balance_;
};

// "1:02:03" from seconds, cut to whole seconds as a watch counts.
std::string HoursMinutesSeconds(double seconds);
// "2:03.4" for 500 m at the speed given in metres per second; empty when
// the boat stands or crawls slower than an hour per 500 m.
std::string PaceText(double metresPerSecond);
// "L 49 % | R 51 %".
std::string BalanceText(int leftPercent);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/live_readout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "graph/mark_texts.h"
#include "graph/series_catalogue.h"
#include "screen/program_texts.h"

namespace veltrasko {
namespace {

constexpr std::uint8_t RightSide = 0;
constexpr std::uint8_t LeftSide = 1;
constexpr double PaceMetres = 500.0;
constexpr long long SlowestPaceTenths = 36000;  // an hour per 500 m

std::string WholeNumber(long long value) { return std::to_string(value); }

// 0 ... 99 with a leading zero.
std::string TwoDigits(long long value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// Appended piece by piece: GCC's -O3 takes a text put in front of another
// for an overlapping copy.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

void PowerBalance::Clear() {
  next_ = 0;
  filled_ = 0;
}

void PowerBalance::Take(const StrokeRow& row) {
  if (row.Side != LeftSide && row.Side != RightSide) return;
  left_[next_] = row.Side == LeftSide ? row.Power : 0.0f;
  right_[next_] = row.Side == RightSide ? row.Power : 0.0f;
  next_ = (next_ + 1) % BalanceStrokes;
  filled_ = std::min(filled_ + 1, BalanceStrokes);
}

// Ten sums when the band is drawn, rather than running sums that would
// drift over a long session.
std::optional<int> PowerBalance::LeftPercent() const {
  double left = 0;
  double right = 0;
  for (std::size_t i = 0; i < filled_; ++i) {
    left += std::max(left_[i], 0.0f);
    right += std::max(right_[i], 0.0f);
  }
  if (left + right <= 0) return std::nullopt;
  return static_cast<int>(std::lround(100.0 * left / (left + right)));
}

void LiveReadout::Clear() {
  empty_ = true;
  balance_.Clear();
}

void LiveReadout::Take(const StrokeRow& row, const StrokePoints& points, float speedFactor) {
  // A new session within one file starts its balance afresh, as the filters do.
  if (!empty_ && row.StrokeNumber < strokeNumber_) balance_.Clear();
  empty_ = false;
  strokeNumber_ = row.StrokeNumber;
  paddleTime_ = row.PaddleTime;
  distance_ = row.TotalDistance;
  speed_ = points.Points[SpeedDistanceSeries].Y;
  metresPerSecond_ = speed_ / static_cast<double>(speedFactor);
  kilometresPerHour_ = speedFactor != 1.0f;
  strokeRate_ = points.Points[StrokeRateDistanceSeries].Y;
  power_ = points.Points[PowerDistanceSeries].Y;
  heartRate_ = points.Points[HeartRateDistanceSeries].Y;
  heartRateRead_ = row.HeartRate != 0;
  balance_.Take(row);
}

ReadoutTexts LiveReadout::Texts() const {
  ReadoutTexts texts;
  if (empty_) return texts;
  texts[ReadoutPaddleTime] = {HoursMinutesSeconds(paddleTime_), {}};
  texts[ReadoutDistance] = {WholeNumber(static_cast<long long>(std::max(0.0f, std::floor(distance_)))), ReadoutMetres};
  texts[ReadoutSpeed] = kilometresPerHour_ ? ReadoutCell{FixedText(speed_, 1), ReadoutKilometresPerHour}
                                           : ReadoutCell{FixedText(speed_, 2), ReadoutMetresPerSecond};
  const std::string pace = PaceText(metresPerSecond_);
  if (!pace.empty()) texts[ReadoutPace] = {pace, ReadoutPer500Metres};
  texts[ReadoutStrokeRate] = {FixedText(strokeRate_, 0), ReadoutStrokesPerMinute};
  texts[ReadoutPower] = {FixedText(power_, 0), ReadoutWatts};
  if (heartRateRead_) texts[ReadoutHeartRate] = {FixedText(heartRate_, 0), ReadoutBeatsPerMinute};
  if (const std::optional<int> left = balance_.LeftPercent()) texts[ReadoutBalance] = {BalanceText(*left), {}};
  return texts;
}

std::string HoursMinutesSeconds(double seconds) {
  const auto whole = static_cast<long long>(std::max(0.0, std::floor(seconds)));
  return Joined({WholeNumber(whole / 3600), ":", TwoDigits(whole / 60 % 60), ":", TwoDigits(whole % 60)});
}

std::string PaceText(double metresPerSecond) {
  if (!(metresPerSecond > 0)) return {};
  const double tenths = std::round(PaceMetres / metresPerSecond * 10.0);
  if (tenths >= SlowestPaceTenths) return {};
  const auto total = static_cast<long long>(tenths);
  return Joined({WholeNumber(total / 600), ":", TwoDigits(total % 600 / 10), ".", WholeNumber(total % 10)});
}

std::string BalanceText(int leftPercent) {
  return Joined({"L ", WholeNumber(leftPercent), " % | R ", WholeNumber(100 - leftPercent), " %"});
}

}  // namespace veltrasko

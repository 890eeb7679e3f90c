// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/session_summary.h"

#include <algorithm>
#include <cstddef>

#include "export/tick_run_over.h"

namespace veltrasko {
namespace {

// A damaged file can claim any distance; the splits stop far beyond any
// paddled session (50000 km) instead of filling the memory.
constexpr std::size_t MaxSplits = 100000;

constexpr double SecondsPerMinute = 60.0;

struct StrokeSums {
  double Work = 0;
  double StrokeTime = 0;
  std::uint32_t Rows = 0;

  void Add(const StrokeRow& row) {
    Work += row.Work;
    StrokeTime += row.StrokeTime;
    ++Rows;
  }
};

std::optional<double> Ratio(double numerator, double denominator) {
  if (denominator == 0) return std::nullopt;
  return numerator / denominator;
}

std::optional<double> AveragePowerOf(const StrokeSums& sums) { return Ratio(sums.Work, sums.StrokeTime); }

std::optional<double> StrokeRateOf(const StrokeSums& sums) {
  return Ratio(SecondsPerMinute * sums.Rows, sums.StrokeTime);
}

// The figures that follow from the totals and the sums.
void SetAverages(SessionSummary& s) {
  const StrokeSums all{s.TotalWork, s.StrokeTimeSum, s.Strokes};
  s.AverageSpeed = Ratio(s.Distance, s.PaddleTime);
  s.AveragePace = Ratio(SplitLength * s.PaddleTime, s.Distance);
  s.AveragePower = AveragePowerOf(all);
  s.AverageStrokeRate = StrokeRateOf(all);
  s.AverageStrokeDistance = s.Distance / s.Strokes;
  s.AverageHeartRate = s.HeartRateRows > 0 ? Ratio(s.HeartRateSum, s.HeartRateRows) : std::nullopt;
  s.LeftPowerPercent = Ratio(100.0 * s.LeftPower, s.OneSidedPower);
}

// Collects one session row by row; the session starts at distance 0 and
// paddle time 0, before its first row.
class SessionBuilder {
 public:
  explicit SessionBuilder(std::uint32_t firstRow) { summary_.FirstRow = firstRow; }

  void Add(const StrokeRow& row) {
    const double distance = row.TotalDistance;
    const double paddle = paddleTime_(row.PaddleTime);
    const double clock = clockTime_(row.ClockTime);
    if (summary_.Strokes == 0) {
      summary_.ClockOrigin = clock - paddle;
    } else {
      const double pause = (clock - lastClock_) - (paddle - lastPaddle_);
      if (pause >= PauseThreshold) {
        ++summary_.Pauses;
        summary_.PauseTime += pause;
      }
    }
    CloseSplitsBefore(distance, paddle);

    SessionSummary& s = summary_;
    s.MaxPower = s.Strokes == 0 ? row.Power : std::max(s.MaxPower, double{row.Power});
    s.MaxSpeed = std::max(s.MaxSpeed, double{row.Speed});
    s.MaxStrokeRate = std::max(s.MaxStrokeRate, double{row.StrokeRate});
    ++s.Strokes;
    s.TotalWork += row.Work;
    s.StrokeTimeSum += row.StrokeTime;
    split_.Add(row);
    if (row.HeartRate != 0) {
      s.HeartRateSum += row.HeartRate;
      s.MaxHeartRate = std::max(s.MaxHeartRate.value_or(row.HeartRate), double{row.HeartRate});
      ++s.HeartRateRows;
    }
    if (row.Side == 0 || row.Side == 1) {
      s.OneSidedPower += row.Power;
      if (row.Side == 1) s.LeftPower += row.Power;
    }
    lastDistance_ = distance;
    lastPaddle_ = paddle;
    lastClock_ = clock;
  }

  SessionSummary Finish() {
    SessionSummary& s = summary_;
    s.Distance = lastDistance_;
    s.PaddleTime = lastPaddle_;
    s.ClockTime = lastClock_ - s.ClockOrigin;
    SetAverages(s);
    // The split in progress: a whole one when the session ends on its
    // boundary, else the shorter last one.
    if (s.Splits.size() < MaxSplits) {
      const double length = lastDistance_ - SplitLength * static_cast<double>(s.Splits.size());
      if (length > 0) CloseSplit(length, lastPaddle_);
    }
    return std::move(summary_);
  }

 private:
  // Every split boundary the session passes before reaching distance ends a
  // split, at the paddle time interpolated between the last row and this one.
  void CloseSplitsBefore(double distance, double paddle) {
    for (;;) {
      const double boundary = SplitLength * static_cast<double>(summary_.Splits.size() + 1);
      if (!(distance > boundary) || summary_.Splits.size() >= MaxSplits) return;
      const double reached =
          lastPaddle_ + (boundary - lastDistance_) * (paddle - lastPaddle_) / (distance - lastDistance_);
      CloseSplit(SplitLength, reached);
    }
  }

  void CloseSplit(double length, double endTime) {
    summary_.Splits.push_back({length, endTime - splitStart_, StrokeRateOf(split_), AveragePowerOf(split_)});
    split_ = {};
    splitStart_ = endTime;
  }

  SessionSummary summary_;
  RunOverTime paddleTime_;
  RunOverTime clockTime_;
  StrokeSums split_;
  double splitStart_ = 0;
  double lastDistance_ = 0;
  double lastPaddle_ = 0;
  double lastClock_ = 0;
};

}  // namespace

std::vector<SessionSummary> SummariseSessions(const StrokeTable& strokes) {
  std::vector<SessionSummary> sessions;
  std::optional<SessionBuilder> session;
  std::uint32_t index = 0;
  float previousDistance = 0;
  strokes.ForEachRow([&](const StrokeRow& row) {
    if (session && row.TotalDistance < previousDistance) {
      sessions.push_back(session->Finish());
      session.reset();
    }
    if (!session) session.emplace(index);
    session->Add(row);
    previousDistance = row.TotalDistance;
    ++index;
  });
  if (session) sessions.push_back(session->Finish());
  return sessions;
}

SessionSummary CombinedSummary(const std::vector<SessionSummary>& sessions) {
  SessionSummary all;
  if (sessions.empty()) return all;
  all.FirstRow = sessions.front().FirstRow;
  all.ClockOrigin = sessions.front().ClockOrigin;
  all.MaxPower = sessions.front().MaxPower;
  for (const SessionSummary& s : sessions) {
    all.Strokes += s.Strokes;
    all.Distance += s.Distance;
    all.PaddleTime += s.PaddleTime;
    all.ClockTime += s.ClockTime;
    all.Pauses += s.Pauses;
    all.PauseTime += s.PauseTime;
    all.MaxSpeed = std::max(all.MaxSpeed, s.MaxSpeed);
    all.MaxPower = std::max(all.MaxPower, s.MaxPower);
    all.TotalWork += s.TotalWork;
    all.MaxStrokeRate = std::max(all.MaxStrokeRate, s.MaxStrokeRate);
    if (s.MaxHeartRate) all.MaxHeartRate = std::max(all.MaxHeartRate.value_or(*s.MaxHeartRate), *s.MaxHeartRate);
    all.StrokeTimeSum += s.StrokeTimeSum;
    all.HeartRateSum += s.HeartRateSum;
    all.HeartRateRows += s.HeartRateRows;
    all.LeftPower += s.LeftPower;
    all.OneSidedPower += s.OneSidedPower;
  }
  SetAverages(all);
  return all;
}

}  // namespace veltrasko

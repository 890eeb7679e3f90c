#include "export/session_summary.h"

#include <algorithm>
#include <cstddef>

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

// Collects one session row by row; the session starts at distance 0 and
// paddle time 0, before its first row.
class SessionBuilder {
 public:
  explicit SessionBuilder(const StrokeRow& first) : firstClock_(first.ClockTime), firstPaddle_(first.PaddleTime) {}

  void Add(const StrokeRow& row) {
    const double distance = row.TotalDistance;
    const double paddle = row.PaddleTime;
    const double clock = row.ClockTime;
    if (summary_.Strokes > 0) {
      const double pause = (clock - lastClock_) - (paddle - lastPaddle_);
      if (pause >= PauseThreshold) {
        ++summary_.Pauses;
        summary_.PauseTime += pause;
      }
    }
    CloseSplitsBefore(distance, paddle);

    summary_.MaxPower = summary_.Strokes == 0 ? row.Power : std::max(summary_.MaxPower, double{row.Power});
    ++summary_.Strokes;
    all_.Add(row);
    split_.Add(row);
    if (row.HeartRate != 0) {
      heartRateSum_ += row.HeartRate;
      summary_.MaxHeartRate = std::max(summary_.MaxHeartRate.value_or(row.HeartRate), double{row.HeartRate});
      ++heartRateRows_;
    }
    if (row.Side == 0 || row.Side == 1) {
      oneSidedPower_ += row.Power;
      if (row.Side == 1) leftPower_ += row.Power;
      oneSided_ = true;
    }
    lastDistance_ = distance;
    lastPaddle_ = paddle;
    lastClock_ = clock;
  }

  SessionSummary Finish() {
    SessionSummary& s = summary_;
    s.Distance = lastDistance_;
    s.PaddleTime = lastPaddle_;
    s.ClockTime = lastClock_ - firstClock_ + firstPaddle_;
    s.AverageSpeed = Ratio(s.Distance, s.PaddleTime);
    s.AveragePace = Ratio(SplitLength * s.PaddleTime, s.Distance);
    s.AveragePower = AveragePowerOf(all_);
    s.TotalWork = all_.Work;
    s.AverageStrokeRate = StrokeRateOf(all_);
    s.AverageStrokeDistance = s.Distance / s.Strokes;
    if (heartRateRows_ > 0) s.AverageHeartRate = heartRateSum_ / heartRateRows_;
    if (oneSided_) s.LeftPowerPercent = Ratio(100.0 * leftPower_, oneSidedPower_);
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
      const double reached = lastPaddle_ + (boundary - lastDistance_) * (paddle - lastPaddle_) / (distance - lastDistance_);
      CloseSplit(SplitLength, reached);
    }
  }

  void CloseSplit(double length, double endTime) {
    summary_.Splits.push_back({length, endTime - splitStart_, StrokeRateOf(split_), AveragePowerOf(split_)});
    split_ = {};
    splitStart_ = endTime;
  }

  const double firstClock_;
  const double firstPaddle_;
  SessionSummary summary_;
  StrokeSums all_;
  StrokeSums split_;
  double splitStart_ = 0;
  double lastDistance_ = 0;
  double lastPaddle_ = 0;
  double lastClock_ = 0;
  double heartRateSum_ = 0;
  std::uint32_t heartRateRows_ = 0;
  double leftPower_ = 0;
  double oneSidedPower_ = 0;
  bool oneSided_ = false;
};

}  // namespace

std::vector<SessionSummary> SummariseSessions(const StrokeTable& strokes) {
  std::vector<SessionSummary> sessions;
  std::optional<SessionBuilder> session;
  float previousDistance = 0;
  strokes.ForEachRow([&](const StrokeRow& row) {
    if (session && row.TotalDistance < previousDistance) {
      sessions.push_back(session->Finish());
      session.reset();
    }
    if (!session) session.emplace(row);
    session->Add(row);
    previousDistance = row.TotalDistance;
  });
  if (session) sessions.push_back(session->Finish());
  return sessions;
}

}  // namespace veltrasko

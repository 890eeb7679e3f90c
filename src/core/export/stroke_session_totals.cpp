#include "export/stroke_session_totals.h"

#include <algorithm>

#include "session/stroke_computation.h"

namespace veltrasko {
namespace {

constexpr std::uint8_t RightSide = 0;
constexpr std::uint8_t LeftSide = 1;

// A drop of more than half the counters' range is a run-over, not the small
// step back of a clock that fell behind.
constexpr double RunOverSeconds = 4294967296.0 / StrokeConstants::TicksPerSecond;

// The session being added up, with the run-overs of its two times.
struct OpenSession {
  StrokeSessionTotals* Totals;
  RunOverTime Paddle;
  RunOverTime Clock;
};

void AddRow(OpenSession& open, const StrokeRow& row) {
  StrokeSessionTotals& totals = *open.Totals;
  ++totals.Strokes;
  totals.Distance = row.TotalDistance;
  totals.PaddleTime = open.Paddle(row.PaddleTime);
  totals.ClockTime = open.Clock(row.ClockTime) - totals.ClockOrigin;
  totals.SumWork += row.Work;
  totals.SumStrokeTime += row.StrokeTime;
  totals.MaxSpeed = std::max<double>(totals.MaxSpeed, row.Speed);
  totals.MaxPower = std::max<double>(totals.MaxPower, row.Power);
  totals.MaxStrokeRate = std::max<double>(totals.MaxStrokeRate, row.StrokeRate);
  if (row.HeartRate != 0) {
    totals.SumHeartRate += row.HeartRate;
    ++totals.HeartRateRows;
    totals.MaxHeartRate = std::max<double>(totals.MaxHeartRate, row.HeartRate);
  }
  if (row.Side == LeftSide) totals.LeftPower += row.Power;
  if (row.Side == LeftSide || row.Side == RightSide) totals.OneSidedPower += row.Power;
}

}  // namespace

double RunOverTime::operator()(float seconds) {
  if (static_cast<double>(previous_) - seconds > RunOverSeconds / 2) added_ += RunOverSeconds;
  previous_ = seconds;
  return added_ + seconds;
}

std::vector<StrokeSessionTotals> SessionTotalsOf(const StrokeTable& strokes) {
  std::vector<StrokeSessionTotals> sessions;
  OpenSession open{};
  std::uint32_t index = 0;
  float previousDistance = 0;
  strokes.ForEachRow([&](const StrokeRow& row) {
    if (index == 0 || row.TotalDistance < previousDistance) {
      StrokeSessionTotals& started = sessions.emplace_back();
      started.FirstRow = index;
      started.ClockOrigin = static_cast<double>(row.ClockTime) - row.PaddleTime;
      open = OpenSession{};
    }
    open.Totals = &sessions.back();
    AddRow(open, row);
    previousDistance = row.TotalDistance;
    ++index;
  });
  return sessions;
}

StrokeSessionTotals CombinedTotals(const std::vector<StrokeSessionTotals>& sessions) {
  StrokeSessionTotals all;
  if (!sessions.empty()) {
    all.FirstRow = sessions.front().FirstRow;
    all.ClockOrigin = sessions.front().ClockOrigin;
  }
  for (const StrokeSessionTotals& s : sessions) {
    all.Strokes += s.Strokes;
    all.Distance += s.Distance;
    all.PaddleTime += s.PaddleTime;
    all.ClockTime += s.ClockTime;
    all.SumWork += s.SumWork;
    all.SumStrokeTime += s.SumStrokeTime;
    all.MaxSpeed = std::max(all.MaxSpeed, s.MaxSpeed);
    all.MaxPower = std::max(all.MaxPower, s.MaxPower);
    all.MaxStrokeRate = std::max(all.MaxStrokeRate, s.MaxStrokeRate);
    all.SumHeartRate += s.SumHeartRate;
    all.HeartRateRows += s.HeartRateRows;
    all.MaxHeartRate = std::max(all.MaxHeartRate, s.MaxHeartRate);
    all.LeftPower += s.LeftPower;
    all.OneSidedPower += s.OneSidedPower;
  }
  return all;
}

}  // namespace veltrasko

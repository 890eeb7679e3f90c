// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/tick_run_over.h"

#include "session/stroke_computation.h"

namespace veltrasko {
namespace {

constexpr double RunOverSeconds = 4294967296.0 / StrokeConstants::TicksPerSecond;

}  // namespace

double RunOverTime::operator()(float seconds) {
  // A drop of more than half the counters' range is a run-over, not the
  // small step back of a clock that fell behind.
  if (static_cast<double>(previous_) - seconds > RunOverSeconds / 2) added_ += RunOverSeconds;
  previous_ = seconds;
  return added_ + seconds;
}

}  // namespace veltrasko

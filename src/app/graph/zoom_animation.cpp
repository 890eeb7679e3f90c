// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/zoom_animation.h"

namespace veltrasko {
namespace {

constexpr int StepMilliseconds = 40;

}  // namespace

ZoomAnimation::ZoomAnimation(QCustomPlot& chart, const Axes& axes) : QObject(&chart), chart_(chart), axes_(axes) {
  timer_.setInterval(StepMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &ZoomAnimation::Step);
}

ZoomAnimation::Ranges ZoomAnimation::Current() const {
  Ranges ranges;
  for (std::size_t i = 0; i < axes_.size(); ++i) ranges[i] = axes_[i]->range();
  return ranges;
}

void ZoomAnimation::Start(const Ranges& target) {
  Finish();
  from_ = Current();
  to_ = target;
  step_ = 0;
  timer_.start();
  Step();
}

void ZoomAnimation::Finish() {
  if (!Running()) return;
  timer_.stop();
  Apply(to_);
}

void ZoomAnimation::Step() {
  ++step_;
  if (step_ >= ZoomSteps) {
    timer_.stop();
    Apply(to_);
    return;
  }
  const double share = static_cast<double>(step_) / ZoomSteps;
  Ranges ranges;
  for (std::size_t i = 0; i < axes_.size(); ++i) {
    ranges[i] = QCPRange(from_[i].lower + (to_[i].lower - from_[i].lower) * share,
                         from_[i].upper + (to_[i].upper - from_[i].upper) * share);
  }
  Apply(ranges);
}

void ZoomAnimation::Apply(const Ranges& ranges) {
  for (std::size_t i = 0; i < axes_.size(); ++i) axes_[i]->setRange(ranges[i]);
  chart_.replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace veltrasko

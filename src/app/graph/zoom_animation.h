// SPDX-License-Identifier: GPL-3.0-or-later
// The rectangle zoom of a graph, played in four equal steps: the axes move
// from where they were to the dragged rectangle with one replot per step,
// so the eye can follow where the zoom went.
#pragma once

#include <qcustomplot.h>

#include <QObject>
#include <QTimer>
#include <array>

namespace veltrasko {

inline constexpr int ZoomSteps = 4;

class ZoomAnimation : public QObject {
  Q_OBJECT

 public:
  using Axes = std::array<QCPAxis*, 3>;
  using Ranges = std::array<QCPRange, 3>;

  ZoomAnimation(QCustomPlot& chart, const Axes& axes);

  // Takes the first step at once, the others on the timer.
  void Start(const Ranges& target);
  // Jumps to the target of a zoom still under way.
  void Finish();
  // Leaves the axes where they are: an undo sets them itself.
  void Stop() { timer_.stop(); }
  bool Running() const { return timer_.isActive(); }

  Ranges Current() const;

 private:
  void Step();
  void Apply(const Ranges& ranges);

  QCustomPlot& chart_;
  Axes axes_;
  QTimer timer_;
  Ranges from_{};
  Ranges to_{};
  int step_ = 0;
};

}  // namespace veltrasko

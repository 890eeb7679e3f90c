// SPDX-License-Identifier: GPL-3.0-or-later
// For as long as it lives, every shown series of a chart holds only the part
// of its line that lies within the plot, so that a device which ignores the
// painter's clip (the SVG generator) draws the lines as the screen shows
// them. The chart must not be replotted meanwhile.
#pragma once

#include <qcustomplot.h>

#include <utility>
#include <vector>

namespace veltrasko {

class LinesWithinPlot {
 public:
  explicit LinesWithinPlot(QCustomPlot& chart);
  // Gives every series its own points back.
  ~LinesWithinPlot();
  LinesWithinPlot(const LinesWithinPlot&) = delete;
  LinesWithinPlot& operator=(const LinesWithinPlot&) = delete;

 private:
  std::vector<std::pair<QCPGraph*, QSharedPointer<QCPGraphDataContainer>>> own_;
};

}  // namespace veltrasko

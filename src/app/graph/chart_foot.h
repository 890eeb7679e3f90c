// SPDX-License-Identifier: GPL-3.0-or-later
// The foot of the two graphs: lines of text under the plot, right-aligned
// and blue, shown for as long as a ChartFoot lives and gone afterwards.
#pragma once

#include <QString>
#include <array>

class QCPTextElement;
class QCustomPlot;

namespace veltrasko {

class AnalyserCore;

// The session lines for the view shown, one under the other; empty when
// that view's personal data has no weight.
QString SessionFootText(const AnalyserCore& core);

class ChartFoot {
 public:
  // An empty text leaves the foot empty.
  ChartFoot(QCustomPlot& chart1, QCustomPlot& chart2, const QString& text);
  ~ChartFoot();
  ChartFoot(const ChartFoot&) = delete;
  ChartFoot& operator=(const ChartFoot&) = delete;

 private:
  std::array<QCustomPlot*, 2> charts_;
  std::array<QCPTextElement*, 2> feet_{};
};

}  // namespace veltrasko

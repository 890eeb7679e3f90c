// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/chart_foot.h"

#include <qcustomplot.h>

#include "graph/foot_text.h"

namespace veltrasko {

QString SessionFootText(const AnalyserCore& core) {
  const std::optional<FootLines> lines = SessionFootLines(core);
  if (!lines) return {};
  // Paths are the system's text, personal data single-byte Latin-1.
  return QString::fromLocal8Bit(lines->RecordPath.data(), static_cast<qsizetype>(lines->RecordPath.size())) + '\n' +
         QString::fromLatin1(lines->Information.data(), static_cast<qsizetype>(lines->Information.size()));
}

ChartFoot::ChartFoot(QCustomPlot& chart1, QCustomPlot& chart2, const QString& text) : charts_{&chart1, &chart2} {
  if (text.isEmpty()) return;
  for (std::size_t i = 0; i < charts_.size(); ++i) {
    QCustomPlot& chart = *charts_[i];
    auto* foot = new QCPTextElement(&chart, text, QFont("sans", 8));
    foot->setTextColor(Qt::blue);
    foot->setTextFlags(Qt::AlignRight | Qt::AlignVCenter);
    chart.plotLayout()->addElement(chart.plotLayout()->rowCount(), 0, foot);
    feet_[i] = foot;
  }
}

ChartFoot::~ChartFoot() {
  for (std::size_t i = 0; i < charts_.size(); ++i) {
    if (feet_[i] == nullptr) continue;
    QCPLayoutGrid& layout = *charts_[i]->plotLayout();
    layout.remove(feet_[i]);
    layout.simplify();
    charts_[i]->replot(QCustomPlot::rpQueuedReplot);
  }
}

}  // namespace veltrasko

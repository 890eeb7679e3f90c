#include "graph/axis_label_ticker.h"

#include <algorithm>
#include <cmath>

namespace veltrasko {

QString GroupedNumberText(double value, int decimals) {
  QString text = QString::number(value, 'f', decimals);
  if (text.contains('.')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  if (text == "-0") text = "0";
  const bool negative = text.startsWith('-');
  const qsizetype digitsStart = negative ? 1 : 0;
  qsizetype point = text.indexOf('.');
  if (point < 0) point = text.size();
  for (qsizetype at = point - 3; at > digitsStart; at -= 3) text.insert(at, ',');
  return text;
}

double AxisLabelTicker::getTickStep(const QCPRange& range) {
  return std::max(QCPAxisTicker::getTickStep(range), std::pow(10.0, -decimals_));
}

QString AxisLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  return GroupedNumberText(tick, decimals_);
}

}  // namespace veltrasko

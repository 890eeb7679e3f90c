// SPDX-License-Identifier: GPL-3.0-or-later
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

// Steps of 1, 2 or 5 times a power of ten, never finer than the shown
// decimals: a step of 0.25 with one decimal would label 2.25 as "2.3".
double AxisLabelTicker::getTickStep(const QCPRange& range) {
  const double proposed = std::max(QCPAxisTicker::getTickStep(range), std::pow(10.0, -decimals_));
  const double magnitude = std::pow(10.0, std::floor(std::log10(proposed)));
  for (double mantissa : {1.0, 2.0, 5.0}) {
    if (mantissa * magnitude >= proposed * (1 - 1e-9)) return mantissa * magnitude;
  }
  return 10 * magnitude;
}

QString AxisLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  return GroupedNumberText(tick, decimals_);
}

}  // namespace veltrasko

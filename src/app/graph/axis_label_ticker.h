// SPDX-License-Identifier: GPL-3.0-or-later
// Tick labels of the vertical axes in the picture formats "#,##0.#" (one
// decimal at most) or "#,##0.##" (two, while zoomed): thousands grouped with
// ',', trailing zeros after the point dropped, and ticks never closer than
// the matching desired increment of 0.1 or 0.01.
#pragma once

#include <qcustomplot.h>

namespace veltrasko {

// "#,##0.#" and friends for a value: at most decimals digits after the point.
QString GroupedNumberText(double value, int decimals);

class AxisLabelTicker : public QCPAxisTicker {
 public:
  void SetDecimals(int decimals) { decimals_ = decimals; }
  int Decimals() const { return decimals_; }

 protected:
  double getTickStep(const QCPRange& range) override;
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

 private:
  int decimals_ = 1;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// Where a graph's legend sits: outside the plot, in a band above it, so that
// it never covers the newest data, or in one of the plot's four corners. A
// right click on the legend offers the five places; the choice is the
// graph's own and lasts for the run.
#pragma once

#include <QObject>

class QCPLayoutGrid;
class QCPLegend;
class QCustomPlot;
class QMenu;
class QPoint;

namespace veltrasko {

enum class LegendSpot { Outside, TopLeft, TopRight, BottomLeft, BottomRight };

class LegendPlace : public QObject {
  Q_OBJECT

 public:
  // The chart's layout must hold its title in row 0 and the plot below it.
  explicit LegendPlace(QCustomPlot& chart);

  LegendSpot Spot() const { return spot_; }
  void Place(LegendSpot spot);
  // Point size of the legend's texts.
  void SetTextSize(int points);

  // The places to choose from, shown by a right click on the legend.
  QMenu& Menu() const { return *menu_; }

 private:
  bool OnLegend(const QPoint& position) const;
  void FitColumnsToWidth();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QCustomPlot& chart_;
  QCPLegend& legend_;
  QCPLayoutGrid* band_ = nullptr;  // the row above the plot while outside; the chart's layout owns it
  QMenu* menu_ = nullptr;          // a child of the chart
  LegendSpot spot_ = LegendSpot::TopRight;
};

}  // namespace veltrasko

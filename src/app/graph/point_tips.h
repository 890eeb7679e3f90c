// SPDX-License-Identifier: GPL-3.0-or-later
// The point-tip tool of a graph (ChartTool1 on Chart1, ChartTool2 on
// Chart2): while the mouse rests on a shown line, a tip gives the value of
// the point nearest to it with the value's name and unit.
#pragma once

#include <QObject>
#include <QString>

class QCustomPlot;
class QPointF;

namespace veltrasko {

class StrokeGraphs;
struct UserSettings;

class PointTips : public QObject {
  Q_OBJECT

 public:
  // Serves the series firstSeries .. lastSeries, the ones on chart.
  PointTips(const StrokeGraphs& graphs, const UserSettings& settings, QCustomPlot& chart, int firstSeries,
            int lastSeries);

  // The tip for a position on the chart in pixels; empty away from every
  // shown line.
  QString TipAt(const QPointF& position) const;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  const StrokeGraphs& graphs_;
  const UserSettings& settings_;
  QCustomPlot& chart_;
  int firstSeries_;
  int lastSeries_;
};

}  // namespace veltrasko

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

class GraphPage;
struct UserSettings;

class PointTips : public QObject {
  Q_OBJECT

 public:
  // Serves the series of the page's graph.
  PointTips(const GraphPage& page, const UserSettings& settings);

  // The tip for a position on the chart in pixels; empty away from every
  // shown line.
  QString TipAt(const QPointF& position) const;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  const GraphPage& page_;
  const UserSettings& settings_;
  QCustomPlot& chart_;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/lines_within_plot.h"

#include "graph/line_clipping.h"

namespace veltrasko {
namespace {

QSharedPointer<QCPGraphDataContainer> PointsWithinPlot(const QCPGraph& graph) {
  const QCPRange keys = graph.keyAxis()->range();
  const QCPRange values = graph.valueAxis()->range();
  std::vector<PlotPoint> line;
  line.reserve(static_cast<std::size_t>(graph.data()->size()));
  for (auto point = graph.data()->constBegin(); point != graph.data()->constEnd(); ++point)
    line.push_back({point->key, point->value});

  QVector<QCPGraphData> within;
  for (const PlotPoint& point : ClipLine(line, {keys.lower, keys.upper, values.lower, values.upper}))
    within.append(QCPGraphData(point.X, point.Y));
  auto container = QSharedPointer<QCPGraphDataContainer>::create();
  container->set(within, true);
  return container;
}

}  // namespace

LinesWithinPlot::LinesWithinPlot(QCustomPlot& chart) {
  for (int i = 0; i < chart.graphCount(); ++i) {
    QCPGraph* graph = chart.graph(i);
    if (!graph->visible()) continue;
    own_.emplace_back(graph, graph->data());
    graph->setData(PointsWithinPlot(*graph));
  }
}

LinesWithinPlot::~LinesWithinPlot() {
  for (auto& [graph, points] : own_) graph->setData(points);
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/chart_tools.h"

#include "graph/chart_navigation.h"
#include "graph/point_readout.h"
#include "graph/point_tips.h"
#include "graph/stroke_graphs.h"
#include "graph/title_editor.h"

namespace veltrasko {

ChartTools::ChartTools(const StrokeGraphs& graphs, const UserSettings& settings, QObject* parent)
    : QObject(parent),
      chartTool1_(new PointTips(graphs.StrokeValues(), settings)),
      chartTool2_(new PointTips(graphs.RightLeft(), settings)),
      graph1Title_(new TitleEditor(graphs.Chart1(), 1)),
      graph2Title_(new TitleEditor(graphs.Chart2(), 2)) {
  chartTool1_->setObjectName("ChartTool1");
  chartTool2_->setObjectName("ChartTool2");
  // Children of their charts, found there by whoever needs them.
  new ChartNavigation(graphs.StrokeValues(), *graph1Title_);
  new ChartNavigation(graphs.RightLeft(), *graph2Title_);
  new PointReadout(graphs.StrokeValues(), graphs.Plotted(), settings);
  new PointReadout(graphs.RightLeft(), graphs.Plotted(), settings);
}

}  // namespace veltrasko

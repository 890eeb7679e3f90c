// SPDX-License-Identifier: GPL-3.0-or-later
// The interactive helpers of the two graphs that the graph pages leave to
// others: the point tips (ChartTool1, ChartTool2), the in-place editing
// of each graph's title, the wheel, pan and undo of the zoom, and the
// readout of the point under the pointer.
#pragma once

#include <QObject>

namespace veltrasko {

class PointTips;
class StrokeGraphs;
class TitleEditor;
struct UserSettings;

class ChartTools : public QObject {
  Q_OBJECT

 public:
  // The tips read the speed unit from settings each time they are asked.
  ChartTools(const StrokeGraphs& graphs, const UserSettings& settings, QObject* parent = nullptr);

  PointTips& ChartTool1() const { return *chartTool1_; }
  PointTips& ChartTool2() const { return *chartTool2_; }
  TitleEditor& Graph1Title() const { return *graph1Title_; }
  TitleEditor& Graph2Title() const { return *graph2Title_; }

 private:
  // All four are children of their charts.
  PointTips* chartTool1_;
  PointTips* chartTool2_;
  TitleEditor* graph1Title_;
  TitleEditor* graph2Title_;
};

}  // namespace veltrasko

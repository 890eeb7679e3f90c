// SPDX-License-Identifier: GPL-3.0-or-later
// The two graph pages, "Stroke values" (Chart1) and "Right vs. left"
// (Chart2), seen from the core as one GraphSink: the plotting of strokes
// into the 36 series, the online window of the bottom axes and the switch
// between the online view and the file view. The window puts the two pages
// into its tabs, calls SetupSeries and the two axis title builders at
// start-up and forwards the View menu.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <memory>

#include "graph/graph_page.h"
#include "graph/live_readout.h"
#include "graph/plotted_strokes.h"
#include "graph/stroke_filter.h"
#include "screen/screen_sinks.h"

class QCheckBox;
class QCPGraph;
class QCustomPlot;
class QRadioButton;
class QWidget;

namespace veltrasko {

class AnalyserCore;
struct ViewChange;
class SeriesPoints;

class StrokeGraphs : public QObject, public GraphSink {
  Q_OBJECT

 public:
  // Builds the content of both pages (which stay the caller's). Reads the
  // core's settings, stroke tables and view state in place; writes status
  // panels 2 to 4 through the status sink when a view switch redraws.
  StrokeGraphs(AnalyserCore& core, StatusSink& status, QWidget& strokeValuesPage, QWidget& rightLeftPage,
               QObject* parent = nullptr);
  ~StrokeGraphs() override;

  // GraphSink.
  void PlotStroke(const StrokeRow& row) override;
  void ClearGraphs() override;
  void UpdateAxes() override;
  void UndoZoom() override;
  void ShowOnlineGraph() override;
  void ShowFileGraph() override;
  void SetBottomAxesAutomatic(bool automatic) override;

  // Rebuilds the view shown with the current filter length and speed unit.
  void RedrawView();

  // Start-up: colours, titles, shown series, line width, axes.
  void SetupSeries();
  void VertAxisNameChart1();
  void VertAxisNameChart2();
  void SetLineWidth(std::int16_t width);
  void SetSpeedTitles();

  // The View menu: "&File graph" and "&Online graph".
  void ShowFile1Click();
  void Showonlinesession1Click();

  // The newest plotted stroke's numbers, for the readout band.
  const LiveReadout& Readout() const { return readout_; }

  // True while "&Online graph" is the checked view item.
  bool OnlineGraphChecked() const { return onlineGraphChecked_; }

  const GraphPage& StrokeValues() const { return strokeValues_; }
  const GraphPage& RightLeft() const { return rightLeft_; }
  // The strokes the series hold, for naming the point under the pointer.
  const PlottedStrokes& Plotted() const { return plotted_; }
  QCustomPlot& Chart1() const { return strokeValues_.Chart(); }
  QCustomPlot& Chart2() const { return rightLeft_.Chart(); }
  // number is 1 .. 36, as in Series1 .. Series36.
  QCPGraph& Series(int number) const;
  // number is 1 .. 18, as in CheckBox1 .. CheckBox18.
  QCheckBox& CheckBox(int number) const;
  QRadioButton& RadioButtonDist1() const { return strokeValues_.RadioButtonDist(); }
  QRadioButton& RadioButtonTime1() const { return strokeValues_.RadioButtonTime(); }
  QRadioButton& RadioButtonDist2() const { return rightLeft_.RadioButtonDist(); }
  QRadioButton& RadioButtonTime2() const { return rightLeft_.RadioButtonTime(); }

 signals:
  // The view item to check changed: "&Online graph" when online, else "&File graph".
  void viewChanged(bool online);
  // The graphs were emptied or moved on to a new stroke: the readout follows.
  void readoutChanged();

 private:
  std::array<GraphPage*, 2> Pages() { return {&strokeValues_, &rightLeft_}; }

  void AlignPlots();
  void SetOnlineWindow(GraphPage& page);
  void TrimSides();
  void SetViewCheck(bool online);
  void RedrawTable(const StrokeTable& table);
  // The widget half of a view switch; the core decided what to replot.
  void ShowView(bool online, const ViewChange& change);
  void QueueReplot();

  AnalyserCore& core_;
  StatusSink& status_;
  bool onlineGraphChecked_ = true;
  PlotFilters filters_;
  LiveReadout readout_;
  PlottedStrokes plotted_;
  std::unique_ptr<SeriesPoints> points_;  // the pages' series hold them
  GraphPage strokeValues_;
  GraphPage rightLeft_;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The online view and the file view: the same series, emptied and filled
// with the live session's or the opened file's strokes.
#include <qcustomplot.h>

#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"

namespace veltrasko {

void StrokeGraphs::ShowOnlineGraph() { ShowView(true, core_.ShowOnlineGraph()); }

void StrokeGraphs::ShowFileGraph() { ShowView(false, core_.ShowFileGraph()); }

void StrokeGraphs::RedrawView() {
  SetSpeedTitles();
  ShowView(core_.OnlineShown(), core_.RedrawView());
}

void StrokeGraphs::ShowView(bool online, const ViewChange& change) {
  UndoZoom();
  SetBottomAxesAutomatic(!online);
  SetViewCheck(online);
  if (change.Replot) {
    ClearGraphs();
    RedrawTable(*change.Replot);
    status_.ShowStatus(StatusPanel::Strokes, change.Strokes.View());
    status_.ShowStatus(StatusPanel::Weight, change.Weight.View());
    status_.ShowStatus(StatusPanel::FileOrHint, change.FileOrHint);
  }
  // The file view keeps its axes when nothing was replotted.
  if (change.Replot || online) UpdateAxes();
}

void StrokeGraphs::ShowFile1Click() {
  ShowFileGraph();
  UpdateAxes();
}

void StrokeGraphs::Showonlinesession1Click() { ShowOnlineGraph(); }

void StrokeGraphs::SetViewCheck(bool online) {
  onlineGraphChecked_ = online;
  emit viewChanged(online);
}

void StrokeGraphs::RedrawTable(const StrokeTable& table) {
  table.ForEachRow([this](const StrokeRow& row) { PlotStroke(row); });
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The online view and the file view: the same series, emptied and filled
// with the live session's or the opened file's strokes.
#include <qcustomplot.h>

#include <cstdio>

#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"

namespace veltrasko {

void StrokeGraphs::ShowOnlineGraph() {
  UndoZoom();
  SetBottomAxesAutomatic(false);
  SetViewCheck(true);
  if (core_.Session.OnlineShown == 0) {
    ClearGraphs();
    RedrawTable(core_.OnlineStrokes);
    ShowViewStatus(true);
  }
  core_.Session.OnlineShown = 1;
  UpdateAxes();
}

void StrokeGraphs::ShowFileGraph() {
  UndoZoom();
  SetBottomAxesAutomatic(true);
  SetViewCheck(false);
  if (core_.Session.OnlineShown == 1) {
    ClearGraphs();
    RedrawTable(core_.FileStrokes);
    UpdateAxes();
    ShowViewStatus(false);
    core_.Session.OnlineShown = 0;
  }
}

void StrokeGraphs::RedrawView() {
  SetSpeedTitles();
  // Pretending the series hold the other table makes the switch replot the
  // view shown with the current filter and speed unit.
  if (core_.Session.OnlineShown == 1) {
    core_.Session.OnlineShown = 0;
    ShowOnlineGraph();
  } else {
    core_.Session.OnlineShown = 1;
    ShowFileGraph();
  }
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

void StrokeGraphs::ShowViewStatus(bool online) {
  // The full counts, as the recorder and the reader show them.
  const std::uint32_t count = online ? core_.Session.DisplayedStrokeCount : core_.File.DisplayedFileStrokeCount;
  const int weight = online ? core_.Session.OnlineHeader.Weight : core_.File.FileHeader.Weight;
  char text[32];
  std::snprintf(text, sizeof text, " Strokes: %u", static_cast<unsigned>(count));
  status_.ShowStatus(StatusPanel::Strokes, text);
  std::snprintf(text, sizeof text, " Weight: %d Kg", weight);
  status_.ShowStatus(StatusPanel::Weight, text);
  status_.ShowStatus(StatusPanel::FileOrHint, online ? core_.Session.OnlineHeader.RecordFileName.View()
                                                     : core_.File.FileHeader.FileName.View());
}

}  // namespace veltrasko

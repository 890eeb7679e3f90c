// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/stroke_graphs.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QRadioButton>

#include "graph/chart_scaling.h"
#include "graph/series_data.h"
#include "session/analyser_core.h"

namespace veltrasko {
namespace {

constexpr int FirstChart2Series = Chart1SeriesCount + 1;  // Series17
constexpr int EnlargedLabelPoints = 14;
constexpr int NormalLabelPoints = 8;

}  // namespace

StrokeGraphs::StrokeGraphs(AnalyserCore& core, StatusSink& status, QWidget& strokeValuesPage,
                           QWidget& rightLeftPage, QObject* parent)
    : QObject(parent),
      core_(core),
      status_(status),
      points_(std::make_unique<SeriesPoints>(static_cast<int>(StrokeTableCapacity))) {
  BuildStrokeValuesPage(strokeValuesPage);
  BuildRightLeftPage(rightLeftPage);
}

StrokeGraphs::~StrokeGraphs() = default;

QCPGraph& StrokeGraphs::Series(int number) const { return *series_.at(number - 1); }

QCheckBox& StrokeGraphs::CheckBox(int number) const { return *checkBoxes_.at(number - 1); }

void StrokeGraphs::PlotStroke(const StrokeRow& row) {
  const StrokePoints points = filters_.PlotPoints(row, core_.Settings());
  for (int number = 1; number <= SeriesCount; ++number) {
    if (points.HasPoint(number)) (*points_)[number].Append(points.Points[number].X, points.Points[number].Y);
  }
  if (points.TrimSides && (*points_)[FirstChart2Series].size() >= 4) TrimSides();
}

// Of a run of strokes the box marked as both sides, each side keeps every
// other one once the side is known again.
void StrokeGraphs::TrimSides() {
  points_->Normalise(FirstChart2Series, SeriesCount);
  for (int number = FirstChart2Series; number <= SeriesCount; ++number) {
    SeriesData& points = (*points_)[number];
    const SideTrim trim = SideTrimFor(static_cast<std::size_t>(points.size()));
    for (int i = 0; i < trim.Count; ++i) points.RemoveAt(static_cast<int>(trim.Index[i]));
  }
}

void StrokeGraphs::ClearGraphs() {
  points_->RemoveAll();
  QueueReplot();
}

void StrokeGraphs::UpdateAxes() {
  points_->Normalise(1, SeriesCount);
  const UserSettings& settings = core_.Settings();
  const int labelPoints = settings.EnlargeAxisText() && onlineGraphChecked_ ? EnlargedLabelPoints : NormalLabelPoints;
  scaling1_->SetLabelSize(labelPoints);
  scaling2_->SetLabelSize(labelPoints);
  if (onlineGraphChecked_) {
    const bool viewAll = settings.ViewAll() != 0;
    SetBottomAxesAutomatic(viewAll);
    // A zoom's bottom range lasts only until the next stroke, whether the
    // bottom axis shows the window or the whole session.
    if (viewAll) {
      scaling1_->FitBottom();
      scaling2_->FitBottom();
    } else {
      SetOnlineWindow(*scaling1_, radioButtonDist1_->isChecked());
      SetOnlineWindow(*scaling2_, radioButtonDist2_->isChecked());
    }
  }
  QueueReplot();
}

// Both graphs end at the newest stroke, which Series1 and Series9 always
// hold whatever its side.
void StrokeGraphs::SetOnlineWindow(ChartScaling& scaling, bool distance) {
  const double newest = (*points_)[distance ? 1 : 9].LargestX();
  const UserSettings& settings = core_.Settings();
  scaling.SetBottomWindow(newest, distance ? settings.OnlineWindowDistance() : settings.OnlineWindowTime());
}

void StrokeGraphs::UndoZoom() {
  scaling1_->UndoZoom();
  scaling2_->UndoZoom();
  QueueReplot();
}

void StrokeGraphs::SetBottomAxesAutomatic(bool automatic) {
  scaling1_->SetBottomAutomatic(automatic);
  scaling2_->SetBottomAutomatic(automatic);
}

// A graph on the tab not shown is replotted when it is shown, not with
// every stroke.
void StrokeGraphs::QueueReplot() {
  for (QCustomPlot* chart : {chart1_, chart2_}) {
    if (chart->isVisible()) chart->replot(QCustomPlot::rpQueuedReplot);
  }
}

void StrokeGraphs::ConnectChartEvents(QCustomPlot& chart, ChartScaling& scaling, int firstNumber, int lastNumber) {
  // Whatever replots a graph, print and copy included, sees its points in x
  // order and its automatic axes fitted.
  chart.installEventFilter(this);
  connect(&chart, &QCustomPlot::beforeReplot, this, [this, &scaling, firstNumber, lastNumber] {
    points_->Normalise(firstNumber, lastNumber);
    scaling.FitAutomaticAxes();
  });
}

}  // namespace veltrasko

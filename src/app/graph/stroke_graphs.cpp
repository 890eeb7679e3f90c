// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/stroke_graphs.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <algorithm>

#include "graph/chart_scaling.h"
#include "graph/series_data.h"
#include "session/analyser_core.h"

namespace veltrasko {
namespace {

constexpr int EnlargedTextPoints = 14;
constexpr int NormalTextPoints = 8;

}  // namespace

StrokeGraphs::StrokeGraphs(AnalyserCore& core, StatusSink& status, QWidget& strokeValuesPage, QWidget& rightLeftPage,
                           QObject* parent)
    : QObject(parent),
      core_(core),
      status_(status),
      points_(std::make_unique<SeriesPoints>(static_cast<int>(StrokeTableCapacity))),
      strokeValues_(strokeValuesPage, StrokeValuesPage, *points_),
      rightLeft_(rightLeftPage, RightLeftPage, *points_) {
  for (GraphPage* page : Pages()) connect(page, &GraphPage::seriesChosen, this, &StrokeGraphs::UpdateAxes);
  AlignPlots();
}

// Both plots are equally wide: the columns beside them take the width of
// the wider one, whichever tab is shown.
void StrokeGraphs::AlignPlots() {
  const int columnWidth = std::max(strokeValues_.Column().sizeHint().width(), rightLeft_.Column().sizeHint().width());
  for (GraphPage* page : Pages()) page->Column().setFixedWidth(columnWidth);
}

StrokeGraphs::~StrokeGraphs() = default;

QCPGraph& StrokeGraphs::Series(int number) const {
  return number < Chart2FirstSeries ? strokeValues_.Series(number) : rightLeft_.Series(number);
}

QCheckBox& StrokeGraphs::CheckBox(int number) const {
  return number < Chart2FirstCheckBox ? strokeValues_.CheckBox(number) : rightLeft_.CheckBox(number);
}

void StrokeGraphs::PlotStroke(const StrokeRow& row) {
  const StrokePoints points = filters_.PlotPoints(row, core_.Settings());
  readout_.Take(row, points, filters_.SpeedFactor);
  plotted_.Add(row);
  for (int number = 1; number <= SeriesCount; ++number) {
    if (points.HasPoint(number)) (*points_)[number].Append(points.Points[number].X, points.Points[number].Y);
  }
  if (points.TrimSides && (*points_)[Chart2FirstSeries].size() >= 4) TrimSides();
}

// Of a run of strokes the box marked as both sides, each side keeps every
// other one once the side is known again.
void StrokeGraphs::TrimSides() {
  points_->Normalise(Chart2FirstSeries, SeriesCount);
  for (int number = Chart2FirstSeries; number <= SeriesCount; ++number) {
    SeriesData& points = (*points_)[number];
    const SideTrim trim = SideTrimFor(static_cast<std::size_t>(points.size()));
    for (int i = 0; i < trim.Count; ++i) points.RemoveAt(static_cast<int>(trim.Index[i]));
  }
}

void StrokeGraphs::ClearGraphs() {
  points_->RemoveAll();
  readout_.Clear();
  plotted_.Clear();
  QueueReplot();
  emit readoutChanged();
}

void StrokeGraphs::UpdateAxes() {
  points_->Normalise(1, SeriesCount);
  const UserSettings& settings = core_.Settings();
  const int textPoints = settings.EnlargeAxisText() && onlineGraphChecked_ ? EnlargedTextPoints : NormalTextPoints;
  for (GraphPage* page : Pages()) page->SetTextSize(textPoints);
  if (onlineGraphChecked_) {
    const bool viewAll = settings.ViewAll() != 0;
    SetBottomAxesAutomatic(viewAll);
    // A zoom's bottom range lasts only until the next stroke, whether the
    // bottom axis shows the window or the whole session.
    for (GraphPage* page : Pages()) {
      if (viewAll)
        page->Scaling().FitBottom();
      else
        SetOnlineWindow(*page);
    }
  }
  QueueReplot();
  emit readoutChanged();
}

// Both graphs end at the newest stroke, which the speed series always hold
// whatever its side.
void StrokeGraphs::SetOnlineWindow(GraphPage& page) {
  const bool distance = page.DistanceChosen();
  const double newest = (*points_)[distance ? SpeedDistanceSeries : SpeedTimeSeries].LargestX();
  const UserSettings& settings = core_.Settings();
  page.Scaling().SetBottomWindow(newest, distance ? settings.OnlineWindowDistance() : settings.OnlineWindowTime());
}

void StrokeGraphs::UndoZoom() {
  for (GraphPage* page : Pages()) page->Scaling().UndoZoom();
  QueueReplot();
}

void StrokeGraphs::SetBottomAxesAutomatic(bool automatic) {
  for (GraphPage* page : Pages()) page->Scaling().SetBottomAutomatic(automatic);
}

void StrokeGraphs::QueueReplot() {
  for (GraphPage* page : Pages()) page->QueueReplot();
}

void StrokeGraphs::SetupSeries() {
  for (GraphPage* page : Pages()) page->SetupSeries();
  SetSpeedTitles();
  SetLineWidth(core_.Settings().LineWidthLevel());
  UpdateAxes();
}

// The speed series' titles end in the speed unit; the pages gave them their
// caption alone.
void StrokeGraphs::SetSpeedTitles() {
  const int speedBox = SeriesCatalogue[SpeedDistanceSeries - 1].CaptionCheckBox;
  const QString title =
      CheckBox(speedBox).text() + (core_.Settings().SpeedInKilometresPerHour() ? " [KM/H]" : " [M/S]");
  Series(SpeedDistanceSeries).setName(title);
  Series(SpeedTimeSeries).setName(title);
}

void StrokeGraphs::SetLineWidth(std::int16_t width) {
  for (GraphPage* page : Pages()) page->SetLineWidth(width);
  QueueReplot();
}

void StrokeGraphs::VertAxisNameChart1() { strokeValues_.VertAxisName(); }

void StrokeGraphs::VertAxisNameChart2() { rightLeft_.VertAxisName(); }

}  // namespace veltrasko

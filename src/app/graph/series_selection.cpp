// SPDX-License-Identifier: GPL-3.0-or-later
// Which series are shown and against which axes: the value check boxes, the
// Distance/Time radio buttons, moving a value to the other vertical axis,
// the axis titles, and the start-up set-up of the series.
#include <qcustomplot.h>

#include <QCheckBox>
#include <QMouseEvent>
#include <QRadioButton>

#include "graph/chart_scaling.h"
#include "graph/series_catalogue.h"
#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"

namespace veltrasko {
namespace {

constexpr int SpeedDistanceSeries = 1;
constexpr int SpeedTimeSeries = 9;

QColor ColourOf(std::uint32_t rgb) { return QColor(static_cast<QRgb>(rgb)); }

}  // namespace

void StrokeGraphs::SetupSeries() {
  for (int number = 1; number <= SeriesCount; ++number) {
    QPen pen = Series(number).pen();
    pen.setColor(ColourOf(SeriesCatalogue[number - 1].Colour));
    Series(number).setPen(pen);
  }
  SetSpeedTitles();
  for (int number = 1; number <= SeriesCount; ++number) {
    if (number == SpeedDistanceSeries || number == SpeedTimeSeries) continue;
    const SeriesEntry& entry = SeriesCatalogue[number - 1];
    Series(number).setName(CheckBox(entry.CaptionCheckBox).text() + entry.TitleSuffix);
  }
  for (int number = 1; number <= SeriesCount; ++number) ShowSeries(number, false);
  ShowSeries(1, true);
  chart1_->xAxis->setLabel("Distance [Meter]");
  ShowSeries(17, true);
  ShowSeries(18, true);
  chart2_->xAxis->setLabel("Distance [Meter]");
  RefreshLegend(*chart1_);
  RefreshLegend(*chart2_);
  SetLineWidth(core_.Settings.LineWidthLevel());
  UpdateAxes();
}

void StrokeGraphs::SetSpeedTitles() {
  const QString title = CheckBox(1).text() + (core_.Settings.SpeedInKilometresPerHour() ? " [KM/H]" : " [M/S]");
  Series(SpeedDistanceSeries).setName(title);
  Series(SpeedTimeSeries).setName(title);
}

void StrokeGraphs::SetLineWidth(std::int16_t width) {
  for (QCPGraph* graph : series_) {
    QPen pen = graph->pen();
    pen.setWidth(width);
    graph->setPen(pen);
  }
  QueueReplot();
}

void StrokeGraphs::ShowSeries(int seriesNumber, bool shown) { Series(seriesNumber).setVisible(shown); }

// The legend lists the shown series in the catalogue's order, each title in
// its series' colour.
void StrokeGraphs::RefreshLegend(QCustomPlot& chart) {
  chart.legend->clearItems();
  for (int i = 0; i < chart.graphCount(); ++i) {
    QCPGraph* graph = chart.graph(i);
    if (!graph->visible()) continue;
    graph->addToLegend();
    chart.legend->itemWithPlottable(graph)->setTextColor(graph->pen().color());
  }
}

void StrokeGraphs::ActivateSeries() {
  const bool distance = radioButtonDist1_->isChecked();
  for (int box = 1; box <= Chart1CheckBoxCount; ++box) {
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    ShowSeries(entry.DistanceSeries, distance && CheckBox(box).isChecked());
    ShowSeries(entry.TimeSeries, !distance && CheckBox(box).isChecked());
  }
  chart1_->xAxis->setLabel(distance ? "Distance [Meter]" : "Time [Sec.]");
  RefreshLegend(*chart1_);
  VertAxisNameChart1();
  scaling1_->UndoZoom();
  UpdateAxes();
}

void StrokeGraphs::StrokeSideSeries() {
  const bool distance = radioButtonDist2_->isChecked();
  for (int box = Chart1CheckBoxCount + 1; box <= ValueCheckBoxCount; ++box) {
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    ShowSeries(entry.DistanceSeries, distance && CheckBox(box).isChecked());
    ShowSeries(entry.TimeSeries, !distance && CheckBox(box).isChecked());
  }
  chart2_->xAxis->setLabel(distance ? "Distance [Meter]" : "Time [Sec.]");
  RefreshLegend(*chart2_);
  VertAxisNameChart2();
  scaling2_->UndoZoom();
  UpdateAxes();
}

QString StrokeGraphs::AxisTitle(const QCPAxis& axis, bool rightLeftChart) const {
  QString title;
  const auto addWords = [&](const auto& order) {
    for (int box : order) {
      const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
      const bool checked = CheckBox(box).isChecked() || (rightLeftChart && CheckBox(box + 1).isChecked());
      if (checked && Series(entry.DistanceSeries).valueAxis() == &axis) title += entry.AxisWord;
    }
  };
  if (rightLeftChart)
    addWords(Chart2TitleOrder);
  else
    addWords(Chart1TitleOrder);
  return title;
}

void StrokeGraphs::VertAxisNameChart1() {
  chart1_->yAxis->setLabel(AxisTitle(*chart1_->yAxis, false));
  chart1_->yAxis2->setLabel(AxisTitle(*chart1_->yAxis2, false));
  scaling1_->UndoZoom();
  QueueReplot();
}

void StrokeGraphs::VertAxisNameChart2() {
  chart2_->yAxis->setLabel(AxisTitle(*chart2_->yAxis, true));
  chart2_->yAxis2->setLabel(AxisTitle(*chart2_->yAxis2, true));
  scaling2_->UndoZoom();
  QueueReplot();
}

// All copies of a value, and on Chart2 both of its sides, change sides
// together, decided by the value's first series.
void StrokeGraphs::MoveValueToOtherAxis(int checkBoxNumber) {
  const int lead = ValueLeadBox(checkBoxNumber);
  QCustomPlot& chart = OnChart2(lead) ? *chart2_ : *chart1_;
  const CheckBoxEntry& leadEntry = CheckBoxCatalogue[lead - 1];
  QCPAxis* target = Series(leadEntry.DistanceSeries).valueAxis() == chart.yAxis2 ? chart.yAxis : chart.yAxis2;
  for (int box : {lead, ValuePartnerBox(lead)}) {
    if (box == 0) continue;
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    Series(entry.DistanceSeries).setValueAxis(target);
    Series(entry.TimeSeries).setValueAxis(target);
  }
}

void StrokeGraphs::CheckBoxMouseDown(int checkBoxNumber, Qt::MouseButton button) {
  if (button == Qt::RightButton) MoveValueToOtherAxis(checkBoxNumber);
  if (OnChart2(checkBoxNumber))
    VertAxisNameChart2();
  else
    VertAxisNameChart1();
}

bool StrokeGraphs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && (watched == chart1_ || watched == chart2_))
    static_cast<QCustomPlot*>(watched)->replot(QCustomPlot::rpQueuedReplot);
  if (event->type() == QEvent::MouseButtonPress) {
    for (int number = 1; number <= ValueCheckBoxCount; ++number) {
      // The uncaptioned right-side boxes have no mouse-down handler.
      const bool handled = !OnChart2(number) || number % 2 == 1;
      if (watched == checkBoxes_[number - 1] && handled)
        CheckBoxMouseDown(number, static_cast<QMouseEvent*>(event)->button());
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace veltrasko

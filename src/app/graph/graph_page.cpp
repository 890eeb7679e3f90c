// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/graph_page.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "graph/chart_scaling.h"
#include "graph/legend_place.h"
#include "graph/series_data.h"
#include "session/stroke_table.h"

namespace veltrasko {
namespace {

constexpr int SeriesCapacity = static_cast<int>(StrokeTableCapacity);

QColor ColourOf(std::uint32_t rgb) { return QColor(static_cast<QRgb>(rgb)); }

QVBoxLayout* MakeColumnLayout(QWidget& column) {
  auto* layout = new QVBoxLayout(&column);
  layout->setContentsMargins(4, 8, 4, 4);
  layout->setSpacing(4);
  return layout;
}

// A read-only text in the colour of the column around it.
QPlainTextEdit* MakeNote(QWidget& column, const char* text) {
  auto* note = new QPlainTextEdit(&column);
  note->setObjectName("Memo1");
  note->setReadOnly(true);
  note->setFrameShape(QFrame::NoFrame);
  note->setBackgroundRole(QPalette::Button);
  note->viewport()->setBackgroundRole(QPalette::Button);
  note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  note->setPlainText(text);
  note->setFixedHeight(note->fontMetrics().lineSpacing() * 6);
  // As wide as its longest line, not the text box's default width, which
  // would widen the column and narrow the graph.
  int widest = 0;
  for (const QString& line : QString(text).split('\n'))
    widest = std::max(widest, note->fontMetrics().horizontalAdvance(line));
  note->setFixedWidth(widest + 2 * static_cast<int>(std::ceil(note->document()->documentMargin())) +
                      2 * note->frameWidth());
  return note;
}

}  // namespace

GraphPage::GraphPage(QWidget& page, const GraphPageDescription& description, SeriesPoints& points)
    : description_(description), checkBoxes_(static_cast<std::size_t>(description.CheckBoxCount)) {
  MakeChart(page);
  MakeSeries(points);
  scaling_ = new ChartScaling(*chart_);
  legend_ = new LegendPlace(*chart_);
  ConnectChartEvents(points);
  column_ = MakeColumn(page);

  auto* layout = new QHBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(chart_, 1);
  layout->addWidget(column_, 0, Qt::AlignTop);
}

QCPGraph& GraphPage::Series(int number) const {
  return *series_.at(static_cast<std::size_t>(number - description_.FirstSeries));
}

QCheckBox& GraphPage::CheckBox(int number) const {
  return *checkBoxes_.at(static_cast<std::size_t>(number - description_.FirstCheckBox));
}

bool GraphPage::DistanceChosen() const { return radioButtonDist_->isChecked(); }

void GraphPage::MakeChart(QWidget& page) {
  chart_ = new QCustomPlot(&page);
  chart_->setObjectName(QString("Chart%1").arg(description_.Number));
  chart_->setBackground(Qt::white);
  chart_->setCursor(Qt::CrossCursor);
  // Dense wide lines: drawn as single segments without antialiasing, a
  // replot of 100000 points stays within a few tens of milliseconds.
  chart_->setPlottingHint(QCP::phFastPolylines, true);
  chart_->setNotAntialiasedElements(QCP::aePlottables);
  // One paint buffer instead of a second one for the zoom rectangle: a live
  // stroke's replot clears and composes half the pixels.
  chart_->layer("overlay")->setMode(QCPLayer::lmLogical);
  chart_->plotLayout()->insertRow(0);
  chart_->plotLayout()->addElement(0, 0,
                                   new QCPTextElement(chart_, description_.Title, QFont("sans", 10, QFont::Bold)));
  chart_->legend->setVisible(true);
  chart_->legend->setFont(QFont("sans", 8));
  chart_->xAxis->setLabel("Distance / Time");
  chart_->yAxis2->setVisible(true);
  chart_->yAxis2->setTickLabels(true);
  // The grid is drawn along whichever vertical axis has labels.
  for (QCPAxis* axis : {chart_->yAxis, chart_->yAxis2})
    axis->grid()->setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
}

void GraphPage::MakeSeries(SeriesPoints& points) {
  for (int number = description_.FirstSeries; number <= description_.LastSeries(); ++number) {
    QCPAxis& valueAxis = SeriesCatalogue[number - 1].RightAxisAtStart ? *chart_->yAxis2 : *chart_->yAxis;
    QCPGraph* graph = MakeSeriesGraph(*chart_, valueAxis, SeriesCapacity);
    series_.push_back(graph);
    points.Attach(number, PointsOf(*graph));
  }
}

// The headings, one row per value (its lead box and, on Chart2, the other
// side's box beside it), the radio buttons and the note.
QWidget* GraphPage::MakeColumn(QWidget& page) {
  auto* column = new QWidget(&page);
  QVBoxLayout* layout = MakeColumnLayout(*column);
  for (const char* heading : description_.Headings) layout->addWidget(new QLabel(heading, column));
  auto* rows = new QGridLayout;
  int row = 0;
  for (int lead : description_.BoxLayout) {
    rows->addWidget(MakeCheckBox(*column, lead), row, 0);
    if (const int partner = ValuePartnerBox(lead)) rows->addWidget(MakeCheckBox(*column, partner), row, 1);
    ++row;
  }
  layout->addLayout(rows);
  layout->addSpacing(8);
  layout->addWidget(new QLabel("vs.", column));
  radioButtonDist_ = MakeRadioButton(*column, "RadioButtonDist", "Distance", "[Meters]");
  radioButtonTime_ = MakeRadioButton(*column, "RadioButtonTime", "Time", "[Seconds]");
  radioButtonDist_->setChecked(true);
  for (QRadioButton* button : {radioButtonDist_, radioButtonTime_}) {
    layout->addWidget(button);
    connect(button, &QRadioButton::clicked, this, &GraphPage::ActivateSeries);
  }
  if (*description_.Note != '\0') {
    layout->addSpacing(8);
    layout->addWidget(MakeNote(*column, description_.Note), 0, Qt::AlignLeft);
  }
  layout->addStretch(1);
  return column;
}

QCheckBox* GraphPage::MakeCheckBox(QWidget& column, int number) {
  const CheckBoxEntry& entry = CheckBoxCatalogue[number - 1];
  auto* box = new QCheckBox(entry.Caption, &column);
  box->setObjectName(QString("CheckBox%1").arg(number));
  box->setToolTip(entry.Hint);
  box->setChecked(ValueLeadBox(number) == description_.StartBox);
  checkBoxes_[number - description_.FirstCheckBox] = box;
  // The uncaptioned right-side boxes have no mouse-down handler.
  if (ValueLeadBox(number) == number) box->installEventFilter(this);
  connect(box, &QCheckBox::clicked, this, &GraphPage::ActivateSeries);
  return box;
}

QRadioButton* GraphPage::MakeRadioButton(QWidget& column, const char* name, const char* caption, const char* hint) {
  auto* button = new QRadioButton(caption, &column);
  button->setObjectName(QString("%1%2").arg(name).arg(description_.Number));
  button->setToolTip(hint);
  return button;
}

void GraphPage::ConnectChartEvents(SeriesPoints& points) {
  // Whatever replots the graph, print and copy included, sees its points in
  // x order and its automatic axes fitted.
  chart_->installEventFilter(this);
  connect(chart_, &QCustomPlot::beforeReplot, this, [this, &points] {
    points.Normalise(description_.FirstSeries, description_.LastSeries());
    scaling_->FitAutomaticAxes();
  });
}

void GraphPage::SetupSeries() {
  for (int number = description_.FirstSeries; number <= description_.LastSeries(); ++number) {
    const SeriesEntry& entry = SeriesCatalogue[number - 1];
    QCPGraph& graph = Series(number);
    QPen pen = graph.pen();
    pen.setColor(ColourOf(entry.Colour));
    graph.setPen(pen);
    graph.setName(CheckBox(entry.CaptionCheckBox).text() + entry.TitleSuffix);
  }
  ShowChosenSeries();
}

void GraphPage::SetLineWidth(int width) {
  for (QCPGraph* graph : series_) {
    QPen pen = graph->pen();
    pen.setWidth(width);
    graph->setPen(pen);
  }
}

void GraphPage::SetTextSize(int points) {
  scaling_->SetLabelSize(points);
  legend_->SetTextSize(points);
}

void GraphPage::ActivateSeries() {
  ShowChosenSeries();
  VertAxisName();
  scaling_->UndoZoom();
  emit seriesChosen();
}

// Of each value the copy against the chosen bottom quantity is shown while
// its box is checked; the other copy is hidden.
void GraphPage::ShowChosenSeries() {
  const bool distance = DistanceChosen();
  for (int box = description_.FirstCheckBox; box <= description_.LastCheckBox(); ++box) {
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    Series(entry.DistanceSeries).setVisible(distance && CheckBox(box).isChecked());
    Series(entry.TimeSeries).setVisible(!distance && CheckBox(box).isChecked());
  }
  chart_->xAxis->setLabel(distance ? "Distance [Meter]" : "Time [Sec.]");
  RefreshLegend();
}

// The legend lists the shown series in the catalogue's order, each title in
// its series' colour.
void GraphPage::RefreshLegend() {
  chart_->legend->clearItems();
  for (QCPGraph* graph : series_) {
    if (!graph->visible()) continue;
    graph->addToLegend();
    chart_->legend->itemWithPlottable(graph)->setTextColor(graph->pen().color());
  }
}

// The words of the checked values drawn against axis; on Chart2 a value
// counts when either of its sides is checked.
QString GraphPage::AxisTitle(const QCPAxis& axis) const {
  QString title;
  for (int lead : description_.TitleOrder) {
    const CheckBoxEntry& entry = CheckBoxCatalogue[lead - 1];
    const int partner = ValuePartnerBox(lead);
    const bool checked = CheckBox(lead).isChecked() || (partner != 0 && CheckBox(partner).isChecked());
    if (checked && Series(entry.DistanceSeries).valueAxis() == &axis) title += entry.AxisWord;
  }
  return title;
}

void GraphPage::VertAxisName() {
  chart_->yAxis->setLabel(AxisTitle(*chart_->yAxis));
  chart_->yAxis2->setLabel(AxisTitle(*chart_->yAxis2));
  scaling_->UndoZoom();
  QueueReplot();
}

// All copies of a value, and on Chart2 both of its sides, change sides
// together, decided by the value's first series.
void GraphPage::MoveValueToOtherAxis(int checkBoxNumber) {
  const int lead = ValueLeadBox(checkBoxNumber);
  const CheckBoxEntry& leadEntry = CheckBoxCatalogue[lead - 1];
  QCPAxis* target = Series(leadEntry.DistanceSeries).valueAxis() == chart_->yAxis2 ? chart_->yAxis : chart_->yAxis2;
  for (int box : {lead, ValuePartnerBox(lead)}) {
    if (box == 0) continue;
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    Series(entry.DistanceSeries).setValueAxis(target);
    Series(entry.TimeSeries).setValueAxis(target);
  }
}

void GraphPage::CheckBoxMouseDown(int checkBoxNumber, Qt::MouseButton button) {
  if (button == Qt::RightButton) MoveValueToOtherAxis(checkBoxNumber);
  VertAxisName();
}

void GraphPage::QueueReplot() {
  if (chart_->isVisible()) chart_->replot(QCustomPlot::rpQueuedReplot);
}

bool GraphPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched == chart_) chart_->replot(QCustomPlot::rpQueuedReplot);
  if (event->type() == QEvent::MouseButtonPress) {
    for (int lead : description_.BoxLayout) {
      if (watched == &CheckBox(lead)) CheckBoxMouseDown(lead, static_cast<QMouseEvent*>(event)->button());
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace veltrasko

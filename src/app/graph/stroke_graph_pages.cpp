// SPDX-License-Identifier: GPL-3.0-or-later
// Building the two tab pages: the graphs with their series, the value check
// boxes and radio buttons beside them, and the note under Chart2's boxes.
#include <qcustomplot.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "graph/chart_scaling.h"
#include "graph/series_catalogue.h"
#include "graph/series_data.h"
#include "graph/stroke_graphs.h"

namespace veltrasko {
namespace {

constexpr int SeriesCapacity = static_cast<int>(StrokeTableCapacity);

QVBoxLayout* MakeColumnLayout(QWidget& column) {
  auto* layout = new QVBoxLayout(&column);
  layout->setContentsMargins(4, 8, 4, 4);
  layout->setSpacing(4);
  return layout;
}

}  // namespace

QCustomPlot* StrokeGraphs::MakeChart(QWidget& page, const char* name, const char* title) {
  auto* chart = new QCustomPlot(&page);
  chart->setObjectName(name);
  chart->setBackground(Qt::white);
  chart->setCursor(Qt::CrossCursor);
  // Dense wide lines: drawn as single segments without antialiasing, a
  // replot of 100000 points stays within a few tens of milliseconds.
  chart->setPlottingHint(QCP::phFastPolylines, true);
  chart->setNotAntialiasedElements(QCP::aePlottables);
  // One paint buffer instead of a second one for the zoom rectangle: a live
  // stroke's replot clears and composes half the pixels.
  chart->layer("overlay")->setMode(QCPLayer::lmLogical);
  chart->plotLayout()->insertRow(0);
  chart->plotLayout()->addElement(0, 0, new QCPTextElement(chart, title, QFont("sans", 10, QFont::Bold)));
  chart->legend->setVisible(true);
  chart->legend->setFont(QFont("sans", 8));
  chart->xAxis->setLabel("Distance / Time");
  chart->yAxis2->setVisible(true);
  chart->yAxis2->setTickLabels(true);
  chart->yAxis->grid()->setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
  return chart;
}

void StrokeGraphs::MakeSeries(QCustomPlot& chart, int firstNumber, int lastNumber) {
  for (int number = firstNumber; number <= lastNumber; ++number) {
    const SeriesEntry& entry = SeriesCatalogue[number - 1];
    QCPGraph* graph = MakeSeriesGraph(chart, entry.RightAxisAtStart ? *chart.yAxis2 : *chart.yAxis, SeriesCapacity);
    series_[number - 1] = graph;
    points_->Attach(number, PointsOf(*graph));
  }
}

QCheckBox* StrokeGraphs::MakeCheckBox(QWidget& column, int number, bool checked) {
  const CheckBoxEntry& entry = CheckBoxCatalogue[number - 1];
  auto* box = new QCheckBox(entry.Caption, &column);
  box->setObjectName(QString("CheckBox%1").arg(number));
  box->setToolTip(entry.Hint);
  box->setChecked(checked);
  checkBoxes_[number - 1] = box;
  box->installEventFilter(this);
  connect(box, &QCheckBox::clicked, this, [this, number] {
    if (OnChart2(number))
      StrokeSideSeries();
    else
      ActivateSeries();
  });
  return box;
}

QRadioButton* StrokeGraphs::MakeRadioButton(QWidget& column, const QString& name, const char* caption,
                                            const char* hint) {
  auto* button = new QRadioButton(caption, &column);
  button->setObjectName(name);
  button->setToolTip(hint);
  return button;
}

void StrokeGraphs::BuildStrokeValuesPage(QWidget& page) {
  chart1_ = MakeChart(page, "Chart1", "Stroke values");
  MakeSeries(*chart1_, 1, Chart1SeriesCount);
  scaling1_ = new ChartScaling(*chart1_);
  ConnectChartEvents(*chart1_, *scaling1_, 1, Chart1SeriesCount);

  auto* column = new QWidget(&page);
  QVBoxLayout* boxes = MakeColumnLayout(*column);
  for (int number : Chart1BoxLayout) boxes->addWidget(MakeCheckBox(*column, number, number == Chart1StartBox));
  boxes->addSpacing(8);
  boxes->addWidget(new QLabel("vs.", column));
  radioButtonDist1_ = MakeRadioButton(*column, "RadioButtonDist1", "Distance", "[Meters]");
  radioButtonTime1_ = MakeRadioButton(*column, "RadioButtonTime1", "Time", "[Seconds]");
  radioButtonDist1_->setChecked(true);
  for (QRadioButton* button : {radioButtonDist1_, radioButtonTime1_}) {
    boxes->addWidget(button);
    connect(button, &QRadioButton::clicked, this, [this] { ActivateSeries(); });
  }
  boxes->addStretch(1);

  auto* layout = new QHBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(chart1_, 1);
  layout->addWidget(column, 0, Qt::AlignTop);
}

void StrokeGraphs::BuildRightLeftPage(QWidget& page) {
  chart2_ = MakeChart(page, "Chart2", "Right vs. left stroke side");
  MakeSeries(*chart2_, Chart2FirstSeries, SeriesCount);
  scaling2_ = new ChartScaling(*chart2_);
  ConnectChartEvents(*chart2_, *scaling2_, Chart2FirstSeries, SeriesCount);

  auto* column = new QWidget(&page);
  QVBoxLayout* boxes = MakeColumnLayout(*column);
  boxes->addWidget(new QLabel("     Stroke side", column));
  boxes->addWidget(new QLabel("Left         /        Right ", column));
  auto* pairs = new QGridLayout;
  int row = 0;
  for (int lead : Chart2BoxLayout) {
    const bool shown = lead == Chart2StartBox;
    pairs->addWidget(MakeCheckBox(*column, lead, shown), row, 0);
    pairs->addWidget(MakeCheckBox(*column, ValuePartnerBox(lead), shown), row, 1);
    ++row;
  }
  boxes->addLayout(pairs);
  boxes->addSpacing(8);
  boxes->addWidget(new QLabel("vs.", column));
  radioButtonDist2_ = MakeRadioButton(*column, "RadioButtonDist2", "Distance", "[Meters]");
  radioButtonTime2_ = MakeRadioButton(*column, "RadioButtonTime2", "Time", "[Seconds]");
  radioButtonDist2_->setChecked(true);
  for (QRadioButton* button : {radioButtonDist2_, radioButtonTime2_}) {
    boxes->addWidget(button);
    connect(button, &QRadioButton::clicked, this, [this] { StrokeSideSeries(); });
  }
  boxes->addSpacing(8);

  memo1_ = new QPlainTextEdit(column);
  memo1_->setObjectName("Memo1");
  memo1_->setReadOnly(true);
  memo1_->setFrameShape(QFrame::NoFrame);
  memo1_->setBackgroundRole(QPalette::Button);
  memo1_->viewport()->setBackgroundRole(QPalette::Button);
  memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo1_->setPlainText(
      "The right vs. left graph \nwill only work with the \nnewest sensor and \nVeltrasko computer \n"
      "version 1.70 or above.");
  memo1_->setFixedHeight(memo1_->fontMetrics().lineSpacing() * 6);
  boxes->addWidget(memo1_);
  boxes->addStretch(1);

  auto* layout = new QHBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(chart2_, 1);
  layout->addWidget(column, 0, Qt::AlignTop);
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// One graph page, "Stroke values" (Chart1) or "Right vs. left" (Chart2),
// built from its description: the graph with its line series and axes, the
// column of value check boxes, the Distance/Time radio buttons and the note
// beside it, and what they decide: which series are shown, on which vertical
// axis, the axis titles and the legend with its place.
#pragma once

#include <QObject>
#include <vector>

#include "graph/graph_page_description.h"

class QCheckBox;
class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QRadioButton;
class QWidget;

namespace veltrasko {

class ChartScaling;
class LegendPlace;
class SeriesPoints;

class GraphPage : public QObject {
  Q_OBJECT

 public:
  // Builds the content of page, which stays the caller's, and attaches the
  // points of the page's series to points.
  GraphPage(QWidget& page, const GraphPageDescription& description, SeriesPoints& points);

  const GraphPageDescription& Description() const { return description_; }
  QCustomPlot& Chart() const { return *chart_; }
  ChartScaling& Scaling() const { return *scaling_; }
  LegendPlace& Legend() const { return *legend_; }
  // The column of controls beside the graph.
  QWidget& Column() const { return *column_; }
  // number is one of the page's series, as in Series1 .. Series36.
  QCPGraph& Series(int number) const;
  // number is one of the page's boxes, as in CheckBox1 .. CheckBox18.
  QCheckBox& CheckBox(int number) const;
  QRadioButton& RadioButtonDist() const { return *radioButtonDist_; }
  QRadioButton& RadioButtonTime() const { return *radioButtonTime_; }
  bool DistanceChosen() const;

  // Start-up: colours, titles from the box captions, and the series the
  // boxes and radio buttons choose.
  void SetupSeries();
  void SetLineWidth(int width);
  // Point size of the axis labels, the axis titles and the legend.
  void SetTextSize(int points);
  // ActivateSeries on Chart1, StrokeSideSeries on Chart2: the click of a
  // value check box or a radio button.
  void ActivateSeries();
  // VertAxisNameChart1 or VertAxisNameChart2.
  void VertAxisName();
  // A graph not shown is replotted when it is shown, not with every stroke.
  void QueueReplot();

 signals:
  // The series shown changed: the axes are to be set again.
  void seriesChosen();

 private:
  void MakeChart(QWidget& page);
  void MakeSeries(SeriesPoints& points);
  QWidget* MakeColumn(QWidget& page);
  QCheckBox* MakeCheckBox(QWidget& column, int number);
  QRadioButton* MakeRadioButton(QWidget& column, const char* name, const char* caption, const char* hint);
  void ConnectChartEvents(SeriesPoints& points);

  void ShowChosenSeries();
  void RefreshLegend();
  QString AxisTitle(const QCPAxis& axis) const;
  void MoveValueToOtherAxis(int checkBoxNumber);
  void CheckBoxMouseDown(int checkBoxNumber, Qt::MouseButton button);
  bool eventFilter(QObject* watched, QEvent* event) override;

  const GraphPageDescription& description_;
  QCustomPlot* chart_ = nullptr;     // a child of the page, as are the controls
  ChartScaling* scaling_ = nullptr;  // a child of the chart
  LegendPlace* legend_ = nullptr;    // a child of the chart
  QWidget* column_ = nullptr;
  std::vector<QCPGraph*> series_;       // by series number - FirstSeries
  std::vector<QCheckBox*> checkBoxes_;  // by check box number - FirstCheckBox
  QRadioButton* radioButtonDist_ = nullptr;
  QRadioButton* radioButtonTime_ = nullptr;
};

}  // namespace veltrasko

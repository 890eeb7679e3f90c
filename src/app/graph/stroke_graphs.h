// SPDX-License-Identifier: GPL-3.0-or-later
// The two graph pages, "Stroke values" (Chart1) and "Right vs. left"
// (Chart2): their 36 line series, check boxes and radio buttons, the
// plotting of strokes, the online window of the bottom axes and the switch
// between the online view and the file view. The core reaches it through
// GraphSink; the window puts the two pages into its tabs, calls SetupSeries
// and the two axis title builders at start-up and forwards the View menu.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <memory>

#include "graph/stroke_filter.h"
#include "screen/screen_sinks.h"

class QCheckBox;
class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

namespace veltrasko {

class AnalyserCore;
struct ViewChange;
class ChartScaling;
class SeriesPoints;

inline constexpr int ValueCheckBoxCount = 18;  // CheckBox1 .. CheckBox18

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

  // True while "&Online graph" is the checked view item.
  bool OnlineGraphChecked() const { return onlineGraphChecked_; }

  QCustomPlot& Chart1() const { return *chart1_; }
  QCustomPlot& Chart2() const { return *chart2_; }
  // number is 1 .. 36, as in Series1 .. Series36.
  QCPGraph& Series(int number) const;
  // number is 1 .. 18, as in CheckBox1 .. CheckBox18.
  QCheckBox& CheckBox(int number) const;
  QRadioButton& RadioButtonDist1() const { return *radioButtonDist1_; }
  QRadioButton& RadioButtonTime1() const { return *radioButtonTime1_; }
  QRadioButton& RadioButtonDist2() const { return *radioButtonDist2_; }
  QRadioButton& RadioButtonTime2() const { return *radioButtonTime2_; }

 signals:
  // The view item to check changed: "&Online graph" when online, else "&File graph".
  void viewChanged(bool online);

 private:
  void BuildStrokeValuesPage(QWidget& page);
  void BuildRightLeftPage(QWidget& page);
  QCustomPlot* MakeChart(QWidget& page, const char* name, const char* title);
  void MakeSeries(QCustomPlot& chart, int firstNumber, int lastNumber);
  QCheckBox* MakeCheckBox(QWidget& column, int number, bool checked);
  QRadioButton* MakeRadioButton(QWidget& column, const QString& name, const char* caption, const char* hint);
  void ConnectChartEvents(QCustomPlot& chart, ChartScaling& scaling, int firstNumber, int lastNumber);

  // The handlers of the check boxes and radio buttons.
  void ActivateSeries();
  void StrokeSideSeries();
  void CheckBoxMouseDown(int checkBoxNumber, Qt::MouseButton button);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void MoveValueToOtherAxis(int checkBoxNumber);
  void ShowSeries(int seriesNumber, bool shown);
  QString AxisTitle(const QCPAxis& axis, bool rightLeftChart) const;
  void RefreshLegend(QCustomPlot& chart);

  void SetOnlineWindow(ChartScaling& scaling, bool distance);
  void TrimSides();
  void SetViewCheck(bool online);
  void RedrawTable(const StrokeTable& table);
  // The widget half of a view switch; the core decided what to replot.
  void ShowView(bool online, const ViewChange& change);
  void QueueReplot();

  AnalyserCore& core_;
  StatusSink& status_;
  QCustomPlot* chart1_ = nullptr;
  QCustomPlot* chart2_ = nullptr;
  std::array<QCPGraph*, SeriesCount> series_{};
  std::array<QCheckBox*, ValueCheckBoxCount> checkBoxes_{};
  QRadioButton* radioButtonDist1_ = nullptr;
  QRadioButton* radioButtonTime1_ = nullptr;
  QRadioButton* radioButtonDist2_ = nullptr;
  QRadioButton* radioButtonTime2_ = nullptr;
  QPlainTextEdit* memo1_ = nullptr;
  bool onlineGraphChecked_ = true;
  PlotFilters filters_;
  std::unique_ptr<SeriesPoints> points_;
  ChartScaling* scaling1_ = nullptr;  // children of their charts
  ChartScaling* scaling2_ = nullptr;
};

}  // namespace veltrasko

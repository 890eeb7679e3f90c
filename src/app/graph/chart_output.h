// SPDX-License-Identifier: GPL-3.0-or-later
// Print and copy of the graph on the tab in front. While it is printed or
// put on the clipboard, the foot of both graphs carries two lines of
// session information; the graph is drawn by the same code that paints it
// on screen, into the page or into an SVG picture and a bitmap.
#pragma once

#include <QObject>
#include <memory>

class QCustomPlot;
class QMimeData;
class QPrintPreviewDialog;
class QPrinter;
class QTabWidget;
class QWidget;

namespace veltrasko {

class AnalyserCore;
class StrokeGraphs;

// Margins in percent of the page, and whether the graph keeps its proportions.
struct PrintPlacement {
  double Left;
  double Top;
  double Right;
  double Bottom;
  bool KeepProportions;
};
inline constexpr PrintPlacement StrokeValuesPrint{10, 20, 10, 20, false};
inline constexpr PrintPlacement RightLeftPrint{15, 23, 15, 23, true};

// Draws chart into the printer's page within the placement's margins. The
// printer works at the screen's resolution: the chart lays its texts out
// with the screen's font metrics, and the page is only a scaled screen.
void PaintChartOnPage(QCustomPlot& chart, QPrinter& printer, const PrintPlacement& placement);

// The preview's own size hides the end of its toolbar, the Print button
// among it, behind the overflow button: it opens as wide as the whole
// toolbar and three quarters of the screen high, as far as the screen allows.
void SizeToShowTheToolbar(QPrintPreviewDialog& preview, const QWidget& over);

// The chart as an SVG picture (image/svg+xml) and, for programs that take
// no SVG, as a bitmap of the chart's size.
std::unique_ptr<QMimeData> ChartPicture(QCustomPlot& chart);

class ChartOutput : public QObject {
  Q_OBJECT

 public:
  // pageControl holds the two graph pages; dialogParent owns the preview.
  ChartOutput(const AnalyserCore& core, StrokeGraphs& graphs, const QTabWidget& pageControl, QWidget& dialogParent);
  ~ChartOutput() override;

  // "&Print...": the print preview of the graph in front, where the user
  // sets up the page and prints.
  void Print1Click();
  // "&Copy": the graph in front on the clipboard.
  void Copy1Click();
  // What the preview prints, straight onto printer (at the screen's resolution).
  void PrintFrontChart(QPrinter& printer);

 private:
  QCustomPlot& FrontChart() const;
  const PrintPlacement& FrontPlacement() const;

  const AnalyserCore& core_;
  StrokeGraphs& graphs_;
  const QTabWidget& pageControl_;
  QWidget& dialogParent_;
  std::unique_ptr<QPrinter> printer_;  // made at the first print: it asks the system for printers
};

}  // namespace veltrasko

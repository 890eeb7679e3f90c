// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/chart_output.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

#include "graph/chart_foot.h"
#include "graph/lines_within_plot.h"
#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"

namespace veltrasko {
namespace {

// The size a graph has in the window at start, for a graph never shown.
constexpr QSize DesignChartSize(802, 525);

QSize DrawnSize(const QCustomPlot& chart) {
  const QSize size = chart.size();
  return size.width() > 0 && size.height() > 0 ? size : DesignChartSize;
}

QRectF PlacementArea(const QRectF& paper, const PrintPlacement& placement) {
  return QRectF(paper.left() + paper.width() * placement.Left / 100, paper.top() + paper.height() * placement.Top / 100,
                paper.width() * (100 - placement.Left - placement.Right) / 100,
                paper.height() * (100 - placement.Top - placement.Bottom) / 100);
}

}  // namespace

void SizeToShowTheToolbar(QPrintPreviewDialog& preview, const QWidget& over) {
  const QToolBar* toolbar = preview.findChild<QToolBar*>();
  const QRect screen = over.screen()->availableGeometry();
  const QSize hint = preview.sizeHint();
  const int width = std::max(hint.width(), toolbar != nullptr ? toolbar->sizeHint().width() : 0);
  const int height = std::max(hint.height(), screen.height() * 3 / 4);
  preview.resize(std::min(width, screen.width()), std::min(height, screen.height()));
}

void PaintChartOnPage(QCustomPlot& chart, QPrinter& printer, const PrintPlacement& placement) {
  // The painter starts at the printable area's corner; the margins count
  // from the paper's edges.
  const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel).translated(-printable.topLeft());
  const QRectF area = PlacementArea(paper, placement);
  const QSize size = DrawnSize(chart);
  double scaleX = area.width() / size.width();
  double scaleY = area.height() / size.height();
  QPointF corner = area.topLeft();
  if (placement.KeepProportions) {
    scaleX = scaleY = std::min(scaleX, scaleY);
    corner += QPointF((area.width() - size.width() * scaleX) / 2, (area.height() - size.height() * scaleY) / 2);
  }
  chart.replot();  // merges points added since the last paint
  QCPPainter painter(&printer);
  painter.setMode(QCPPainter::pmVectorized);
  painter.translate(corner);
  painter.scale(scaleX, scaleY);
  chart.toPainter(&painter, size.width(), size.height());
}

std::unique_ptr<QMimeData> ChartPicture(QCustomPlot& chart) {
  const QSize size = DrawnSize(chart);
  chart.replot();
  QByteArray svg;
  QBuffer buffer(&svg);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  // The chart lays its texts out in the screen's points; at the generator's
  // own 72 dots per inch they would come out smaller than on screen.
  generator.setResolution(chart.logicalDpiY());
  generator.setTitle(chart.objectName());
  {
    const LinesWithinPlot clipped(chart);
    QCPPainter painter(&generator);
    painter.setMode(QCPPainter::pmVectorized);
    chart.toPainter(&painter, size.width(), size.height());
  }
  auto picture = std::make_unique<QMimeData>();
  picture->setData("image/svg+xml", svg);
  picture->setImageData(chart.toPixmap(size.width(), size.height()).toImage());
  return picture;
}

ChartOutput::ChartOutput(const AnalyserCore& core, StrokeGraphs& graphs, const QTabWidget& pageControl,
                         QWidget& dialogParent)
    : QObject(&dialogParent), core_(core), graphs_(graphs), pageControl_(pageControl), dialogParent_(dialogParent) {}

ChartOutput::~ChartOutput() = default;

QCustomPlot& ChartOutput::FrontChart() const {
  const QWidget* front = pageControl_.currentWidget();
  return front != nullptr && front->isAncestorOf(&graphs_.Chart2()) ? graphs_.Chart2() : graphs_.Chart1();
}

const PrintPlacement& ChartOutput::FrontPlacement() const {
  return &FrontChart() == &graphs_.Chart2() ? RightLeftPrint : StrokeValuesPrint;
}

void ChartOutput::Print1Click() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
  const ChartFoot foot(graphs_.Chart1(), graphs_.Chart2(), SessionFootText(core_));
  QPrintPreviewDialog preview(printer_.get(), &dialogParent_);
  SizeToShowTheToolbar(preview, dialogParent_);
  QCustomPlot& chart = FrontChart();
  const PrintPlacement& placement = FrontPlacement();
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [&chart, &placement](QPrinter* printer) { PaintChartOnPage(chart, *printer, placement); });
  preview.exec();
}

void ChartOutput::PrintFrontChart(QPrinter& printer) {
  const ChartFoot foot(graphs_.Chart1(), graphs_.Chart2(), SessionFootText(core_));
  PaintChartOnPage(FrontChart(), printer, FrontPlacement());
}

void ChartOutput::Copy1Click() {
  const ChartFoot foot(graphs_.Chart1(), graphs_.Chart2(), SessionFootText(core_));
  QApplication::clipboard()->setMimeData(ChartPicture(FrontChart()).release());
}

}  // namespace veltrasko

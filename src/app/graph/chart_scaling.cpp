// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/chart_scaling.h"

#include <qcustomplot.h>

#include "graph/axis_label_ticker.h"
#include "graph/series_data.h"
#include "graph/zoom_animation.h"

namespace veltrasko {
namespace {

// The vertical axes take 2 % to 98 % of the plot height: a fitted span keeps
// a margin of 2 % of the height above and below.
constexpr double VerticalMargin = 0.02 / 0.96;

void WidenIfEmpty(double& lowest, double& highest) {
  if (highest > lowest) return;
  lowest -= 0.5;
  highest += 0.5;
}

// The span of axis that the rectangle covers.
QCPRange CoveredRange(const QCPAxis& axis, const QRectF& pixels) {
  const bool horizontal = axis.orientation() == Qt::Horizontal;
  QCPRange covered(axis.pixelToCoord(horizontal ? pixels.left() : pixels.top()),
                   axis.pixelToCoord(horizontal ? pixels.right() : pixels.bottom()));
  covered.normalize();
  return covered;
}

}  // namespace

ChartScaling::ChartScaling(QCustomPlot& chart) : QObject(&chart), chart_(chart) {
  axes_ = {chart.xAxis, chart.yAxis, chart.yAxis2};
  for (int side = 0; side < 2; ++side) {
    auto ticker = QSharedPointer<AxisLabelTicker>::create();
    verticalTickers_[side] = ticker.data();
    axes_[side + 1]->setTicker(ticker);
  }
  animation_ = new ZoomAnimation(chart, axes_);
  // The rectangle is ours to act on: dragged to the right it zooms into
  // what it covers, dragged to the left it undoes the zoom.
  chart.setSelectionRectMode(QCP::srmCustom);
  connect(chart.selectionRect(), &QCPSelectionRect::accepted, this,
          [this](const QRect& rect, QMouseEvent*) { ZoomOrUndo(rect); });
}

void ChartScaling::SetBottomWindow(double newest, double window) {
  QCPAxis& bottom = *chart_.xAxis;
  if (newest - window > 0) {
    if (newest > bottom.range().lower) {
      bottom.setRangeUpper(newest);
      bottom.setRangeLower(newest - window);
    } else {
      bottom.setRangeLower(newest - window);
      bottom.setRangeUpper(newest);
    }
  } else {
    bottom.setRangeLower(0);
    bottom.setRangeUpper(window);
  }
}

void ChartScaling::SetLabelSize(int points) {
  for (QCPAxis* axis : axes_) {
    QFont font = axis->tickLabelFont();
    if (font.pointSize() != points) {
      font.setPointSize(points);
      axis->setTickLabelFont(font);
    }
    font = axis->labelFont();
    if (font.pointSize() != points) {
      font.setPointSize(points);
      axis->setLabelFont(font);
    }
  }
}

void ChartScaling::FitAutomaticAxes() {
  if (zoomed_) return;
  if (bottomAutomatic_) FitBottom();
  FitVertical(*axes_[1]);
  FitVertical(*axes_[2]);
  GridAlongLabelledAxis();
}

// The horizontal grid lines sit at the labelled heights: those of the left
// axis, unless only the right axis has labels.
void ChartScaling::GridAlongLabelledAxis() {
  const bool right = !axes_[1]->tickLabels() && axes_[2]->tickLabels();
  axes_[1]->grid()->setVisible(!right);
  axes_[2]->grid()->setVisible(right);
}

void ChartScaling::FitBottom() {
  bool found = false;
  double lowest = 0;
  double highest = 0;
  for (int i = 0; i < chart_.graphCount(); ++i) {
    const QCPGraph& graph = *chart_.graph(i);
    const SeriesData& points = PointsOf(graph);
    if (!graph.visible() || points.isEmpty()) continue;
    const double first = points.constBegin()->key;
    const double last = points.LargestX();
    lowest = found ? std::min(lowest, first) : first;
    highest = found ? std::max(highest, last) : last;
    found = true;
  }
  if (!found) return;
  WidenIfEmpty(lowest, highest);
  chart_.xAxis->setRange(lowest, highest);
}

void ChartScaling::FitVertical(QCPAxis& axis) {
  bool found = false;
  double lowest = 0;
  double highest = 0;
  for (int i = 0; i < chart_.graphCount(); ++i) {
    QCPGraph& graph = *chart_.graph(i);
    double seriesLowest = 0;
    double seriesHighest = 0;
    if (!graph.visible() || graph.valueAxis() != &axis || !PointsOf(graph).ValueSpan(seriesLowest, seriesHighest))
      continue;
    lowest = found ? std::min(lowest, seriesLowest) : seriesLowest;
    highest = found ? std::max(highest, seriesHighest) : seriesHighest;
    found = true;
  }
  // An axis without a shown series has no scale to offer.
  axis.setTickLabels(found);
  if (!found) return;
  WidenIfEmpty(lowest, highest);
  const double margin = (highest - lowest) * VerticalMargin;
  axis.setRange(lowest - margin, highest + margin);
}

void ChartScaling::ZoomOrUndo(const QRect& dragged) {
  // A click is no zoom: a few pixels of shake must not blow up a range.
  constexpr int SmallestZoomPixels = 3;
  const QRect covered = dragged.normalized();
  if (dragged.width() < 0) {
    UndoZoom();
  } else if (covered.width() >= SmallestZoomPixels && covered.height() >= SmallestZoomPixels) {
    ZoomInto(covered);
  }
  chart_.replot(QCustomPlot::rpQueuedReplot);
}

void ChartScaling::ZoomInto(const QRect& pixels) {
  BeginZoom();
  ZoomAnimation::Ranges target;
  for (std::size_t i = 0; i < axes_.size(); ++i) target[i] = CoveredRange(*axes_[i], QRectF(pixels));
  animation_->Start(target);
}

void ChartScaling::BeginZoom() {
  // A zoom into a zoom still under way starts from where that one ends.
  animation_->Finish();
  if (!zoomed_) {
    for (std::size_t i = 0; i < axes_.size(); ++i)
      rangesBeforeZoom_[i] = {axes_[i]->range().lower, axes_[i]->range().upper};
  }
  zoomed_ = true;
  SetVerticalDecimals(2);
  emit zoomed();
}

void ChartScaling::UndoZoom() {
  // Steps still to come must not carry the axes back into the zoom.
  animation_->Stop();
  if (zoomed_) {
    for (std::size_t i = 0; i < axes_.size(); ++i)
      axes_[i]->setRange(rangesBeforeZoom_[i].first, rangesBeforeZoom_[i].second);
    zoomed_ = false;
  }
  SetVerticalDecimals(1);
  emit zoomUndone();
}

void ChartScaling::SetVerticalDecimals(int decimals) {
  for (AxisLabelTicker* ticker : verticalTickers_) ticker->SetDecimals(decimals);
}

}  // namespace veltrasko

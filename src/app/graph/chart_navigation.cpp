// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/chart_navigation.h"

#include <qcustomplot.h>

#include <QMenu>
#include <QPushButton>

#include "graph/chart_scaling.h"
#include "graph/graph_page.h"
#include "graph/title_editor.h"

namespace veltrasko {
namespace {

// Qt counts the wheel in eighths of a degree; one notch is 15 degrees.
constexpr double AnglePerNotch = 120.0;

std::array<QCPAxis*, 3> AxesOf(const QCustomPlot& chart) { return {chart.xAxis, chart.yAxis, chart.yAxis2}; }

AxisRange RangeOf(const QCPAxis& axis) { return {axis.range().lower, axis.range().upper}; }

void SetRange(QCPAxis& axis, const AxisRange& range) { axis.setRange(range.Lower, range.Upper); }

void ZoomAxis(QCPAxis& axis, double pixel, double factor) {
  SetRange(axis, ZoomedAbout(RangeOf(axis), axis.pixelToCoord(pixel), factor));
}

}  // namespace

ChartNavigation::ChartNavigation(const GraphPage& page, const TitleEditor& titleEditor)
    : QObject(&page.Chart()), chart_(page.Chart()), scaling_(page.Scaling()) {
  contextMenu_ = new QMenu(&chart_);
  contextMenu_->addAction("Reset zoom", this, &ChartNavigation::ResetZoom);
  // The title's Escape button is pressed before its click hides the box, so
  // the box still tells whether the key was meant for the title.
  connect(&titleEditor.TitleCancel(), &QPushButton::pressed, this, [this, &titleEditor] {
    if (titleEditor.TitleBox().isHidden()) ResetZoom();
  });
  chart_.installEventFilter(this);
}

void ChartNavigation::ResetZoom() {
  scaling_.UndoZoom();
  chart_.replot(QCustomPlot::rpQueuedReplot);
}

bool ChartNavigation::OnPlot(const QPoint& position) const {
  return chart_.axisRect()->rect().contains(position) && chart_.legend->selectTest(position, false) < 0;
}

// The chart's own handling of these events would start a rectangle zoom,
// so those taken here do not reach it.
bool ChartNavigation::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &chart_) return false;
  switch (event->type()) {
    case QEvent::Wheel: return WheelZoom(static_cast<const QWheelEvent&>(*event));
    case QEvent::MouseButtonPress: return StartPan(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove:
      if (panButton_ == Qt::NoButton) return false;
      Pan(static_cast<const QMouseEvent&>(*event).pos());
      return true;
    case QEvent::MouseButtonRelease:
      if (panButton_ == Qt::NoButton || static_cast<const QMouseEvent&>(*event).button() != panButton_) return false;
      panButton_ = Qt::NoButton;
      return true;
    case QEvent::MouseButtonDblClick: {
      const auto& click = static_cast<const QMouseEvent&>(*event);
      if (click.button() != Qt::LeftButton || !OnPlot(click.pos())) return false;
      ResetZoom();
      return true;
    }
    case QEvent::ContextMenu: {
      const auto& request = static_cast<const QContextMenuEvent&>(*event);
      if (!OnPlot(request.pos())) return false;
      // The right press began a rectangle that the menu would leave open
      // for the next click to end as a zoom.
      chart_.selectionRect()->cancel();
      contextMenu_->popup(request.globalPos());
      return true;
    }
    default: return false;
  }
}

bool ChartNavigation::WheelZoom(const QWheelEvent& wheel) {
  const QPoint position = wheel.position().toPoint();
  if (!chart_.axisRect()->rect().contains(position)) return false;
  // Some systems turn the wheel sideways while a modifier is held.
  const QPoint angle = wheel.angleDelta();
  const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / AnglePerNotch;
  if (notches == 0) return true;
  const double factor = WheelZoomFactor(notches);
  scaling_.BeginZoom();
  if (wheel.modifiers().testFlag(Qt::ControlModifier)) {
    ZoomAxis(*chart_.yAxis, position.y(), factor);
    ZoomAxis(*chart_.yAxis2, position.y(), factor);
  } else {
    ZoomAxis(*chart_.xAxis, position.x(), factor);
  }
  chart_.replot(QCustomPlot::rpQueuedReplot);
  return true;
}

bool ChartNavigation::StartPan(const QMouseEvent& press) {
  const bool panButton = press.button() == Qt::MiddleButton ||
                         (press.button() == Qt::LeftButton && press.modifiers().testFlag(Qt::ShiftModifier));
  if (!panButton || !chart_.axisRect()->rect().contains(press.pos())) return false;
  panButton_ = press.button();
  panMoved_ = false;
  panStart_ = press.pos();
  return true;
}

void ChartNavigation::Pan(const QPoint& position) {
  // A press without a move is no zoom.
  if (!panMoved_) {
    scaling_.BeginZoom();
    const auto axes = AxesOf(chart_);
    for (std::size_t i = 0; i < axes.size(); ++i) rangesAtPanStart_[i] = RangeOf(*axes[i]);
    panMoved_ = true;
  }
  const QPoint moved = position - panStart_;
  const QRect plot = chart_.axisRect()->rect();
  SetRange(*chart_.xAxis, PannedBy(rangesAtPanStart_[0], moved.x(), plot.width()));
  // Pixels count downwards, values upwards.
  SetRange(*chart_.yAxis, PannedBy(rangesAtPanStart_[1], -moved.y(), plot.height()));
  SetRange(*chart_.yAxis2, PannedBy(rangesAtPanStart_[2], -moved.y(), plot.height()));
  chart_.replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace veltrasko

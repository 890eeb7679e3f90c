// SPDX-License-Identifier: GPL-3.0-or-later
// Moving about one graph with the mouse and keys, beside the rectangle
// zoom: the wheel zooms the bottom axis about the pointer (with Ctrl the
// vertical axes), a drag with the middle button or with Shift and the left
// button pans, and a double click on the plot, Escape (unless a title is
// being edited) or "Reset zoom" in the plot's context menu undo the zoom.
#pragma once

#include <QObject>
#include <QPoint>
#include <array>

#include "graph/plot_navigation.h"

class QCustomPlot;
class QMenu;
class QMouseEvent;
class QWheelEvent;

namespace veltrasko {

class ChartScaling;
class GraphPage;
class TitleEditor;

class ChartNavigation : public QObject {
  Q_OBJECT

 public:
  // titleEditor is the page's own: its Escape button serves both.
  ChartNavigation(const GraphPage& page, const TitleEditor& titleEditor);

  // The undo of the rectangle zoom, as a drag to the left does it.
  void ResetZoom();
  QMenu& ContextMenu() const { return *contextMenu_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // On the plot area and not on a legend lying over it.
  bool OnPlot(const QPoint& position) const;
  bool WheelZoom(const QWheelEvent& wheel);
  bool StartPan(const QMouseEvent& press);
  void Pan(const QPoint& position);

  QCustomPlot& chart_;
  ChartScaling& scaling_;
  QMenu* contextMenu_ = nullptr;  // a child of the chart
  Qt::MouseButton panButton_ = Qt::NoButton;
  bool panMoved_ = false;
  QPoint panStart_;
  std::array<AxisRange, 3> rangesAtPanStart_{};  // bottom, left, right
};

}  // namespace veltrasko

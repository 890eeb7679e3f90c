// SPDX-License-Identifier: GPL-3.0-or-later
// The axes of one graph: which of them fit their shown series by themselves
// (automatic) and which keep a range set by the program, the online window
// of the bottom axis, the label size, the grid along the labelled vertical
// axis, and the rectangle zoom with its undo.
#pragma once

#include <QObject>
#include <array>

class QCPAxis;
class QRect;
class QCustomPlot;

namespace veltrasko {

class AxisLabelTicker;
class ZoomAnimation;

class ChartScaling : public QObject {
  Q_OBJECT

 public:
  explicit ChartScaling(QCustomPlot& chart);

  void SetBottomAutomatic(bool automatic) { bottomAutomatic_ = automatic; }
  bool BottomAutomatic() const { return bottomAutomatic_; }

  // A fixed bottom axis ending at newest and window long, or 0 .. window
  // while newest is not yet beyond it. The limits are set in the order that
  // never puts the minimum above the maximum.
  void SetBottomWindow(double newest, double window);

  // Point size of the labels and titles of all three axes.
  void SetLabelSize(int points);

  // Gives every automatic axis the span of the shown series drawn against it;
  // a zoomed graph keeps its ranges.
  void FitAutomaticAxes();
  // Gives the bottom axis the span of the shown series now, zoomed or not.
  void FitBottom();

  bool Zoomed() const { return zoomed_; }
  // A rectangle dragged over the graph, in pixels, from where the drag began
  // to where it ended: to the right it zooms into what it covers (in four
  // steps), to the left it undoes the zoom.
  void ZoomOrUndo(const QRect& dragged);
  // The axes are about to leave their ranges for a zoom (the rectangle, the
  // wheel or a pan): keeps the ranges an undo returns to, unless zoomed
  // already, and gives the vertical labels their zoomed format.
  void BeginZoom();
  // Restores the ranges from before the zoom, if zoomed; the labels go back
  // to one decimal in any case.
  void UndoZoom();

 signals:
  void zoomed();
  void zoomUndone();

 private:
  void ZoomInto(const QRect& pixels);
  void SetVerticalDecimals(int decimals);
  void FitVertical(QCPAxis& axis);
  void GridAlongLabelledAxis();

  QCustomPlot& chart_;
  std::array<QCPAxis*, 3> axes_{};  // bottom, left, right
  std::array<AxisLabelTicker*, 2> verticalTickers_{};
  ZoomAnimation* animation_ = nullptr;  // a child of the chart
  bool bottomAutomatic_ = true;
  bool zoomed_ = false;
  std::array<std::pair<double, double>, 3> rangesBeforeZoom_{};
};

}  // namespace veltrasko

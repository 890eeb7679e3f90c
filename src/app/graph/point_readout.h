// SPDX-License-Identifier: GPL-3.0-or-later
// The readout of the point under the pointer on one graph: a thin vertical
// line at the nearest plotted stroke and a small box beside it with that
// stroke's number, distance and paddle time and the plotted values of the
// shown series. It follows every move of the pointer over the plot (the
// point tips wait for the pointer to rest) and goes when the pointer leaves.
#pragma once

#include <QObject>
#include <QPoint>

class QCustomPlot;
class QFrame;
class QLabel;

namespace veltrasko {

class GraphPage;
class PlottedStrokes;
struct PlottedStroke;
struct UserSettings;

class PointReadout : public QObject {
  Q_OBJECT

 public:
  // Reads the speed unit from settings each time it writes the box.
  PointReadout(const GraphPage& page, const PlottedStrokes& strokes, const UserSettings& settings);

  // The box and the line: children of the chart that the mouse passes through.
  QLabel& Box() const { return *box_; }
  QFrame& Line() const { return *line_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Shows the stroke nearest to the pointer, or hides the readout.
  void Follow();
  QString ValuesText(const PlottedStroke& stroke, double key) const;
  void Place(double strokePixel);
  void Hide();

  const GraphPage& page_;
  const PlottedStrokes& strokes_;
  const UserSettings& settings_;
  QCustomPlot& chart_;
  QFrame* line_ = nullptr;
  QLabel* box_ = nullptr;
  bool pointerOver_ = false;
  QPoint pointer_;
};

}  // namespace veltrasko

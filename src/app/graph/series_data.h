// SPDX-License-Identifier: GPL-3.0-or-later
// The points of one line series: QCustomPlot's sorted container, extended so
// that a redraw of a whole table costs one pass per series. Points are
// appended in arrival order and put into x order lazily (Normalise), with a
// point of equal x always after the earlier ones; the value span is kept up
// to date so that fitting an automatic axis does not walk the points.
#pragma once

#include <qcustomplot.h>

#include <array>
#include <vector>

#include "graph/series_catalogue.h"

namespace veltrasko {

class SeriesData : public QCPGraphDataContainer {
 public:
  // Room for this many points is taken at once, so plotting a table does
  // not allocate.
  explicit SeriesData(int capacity);

  void Append(double x, double y);

  // Sorts the points added since the last call into place. scratch holds one
  // run of them at a time; it only grows when a run exceeds its capacity.
  void Normalise(std::vector<QCPGraphData>& scratch);
  bool Normalised() const { return sortedCount_ == size(); }

  // Both need normalised points.
  void RemoveAt(int index);
  // The largest x, 0 without points.
  double LargestX() const;

  void RemoveAll();

  // The smallest and largest finite y; false without such a point.
  bool ValueSpan(double& lowest, double& highest);

 private:
  void MergeRun(int runStart, int runEnd, std::vector<QCPGraphData>& scratch);
  void TakeIntoSpan(double y);

  int sortedCount_ = 0;
  bool spanKnown_ = true;  // the span below is valid for all points held
  bool spanFound_ = false;
  double lowest_ = 0;
  double highest_ = 0;
};

// The points of all 36 series by series number, and the one scratch buffer
// their sorting shares.
class SeriesPoints {
 public:
  explicit SeriesPoints(int capacity);

  void Attach(int seriesNumber, SeriesData& points) { points_[seriesNumber - 1] = &points; }
  SeriesData& operator[](int seriesNumber) const { return *points_[seriesNumber - 1]; }

  // Series first .. last, both included.
  void Normalise(int first, int last);
  void RemoveAll();

 private:
  std::array<SeriesData*, SeriesCount> points_{};
  std::vector<QCPGraphData> scratch_;
};

// The points of a series made by MakeSeriesGraph.
SeriesData& PointsOf(const QCPGraph& graph);

// A line series on chart against the given axes, holding SeriesData.
QCPGraph* MakeSeriesGraph(QCustomPlot& chart, QCPAxis& valueAxis, int capacity);

}  // namespace veltrasko

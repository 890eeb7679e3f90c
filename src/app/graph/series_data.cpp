// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/series_data.h"

#include <cmath>

namespace veltrasko {

SeriesData::SeriesData(int capacity) { mData.reserve(capacity); }

void SeriesData::Append(double x, double y) {
  const bool inOrder = Normalised() && (isEmpty() || !(x < (constEnd() - 1)->key));
  mData.append(QCPGraphData(x, y));
  if (inOrder) ++sortedCount_;
  if (spanKnown_) TakeIntoSpan(y);
}

void SeriesData::TakeIntoSpan(double y) {
  if (!std::isfinite(y)) return;
  if (!spanFound_) {
    lowest_ = highest_ = y;
    spanFound_ = true;
  } else if (y < lowest_) {
    lowest_ = y;
  } else if (y > highest_) {
    highest_ = y;
  }
}

void SeriesData::Normalise(std::vector<QCPGraphData>& scratch) {
  const int total = size();
  const auto first = constBegin();
  while (sortedCount_ < total) {
    const int runStart = sortedCount_;
    int runEnd = runStart + 1;
    while (runEnd < total && !(first[runEnd].key < first[runEnd - 1].key)) ++runEnd;
    if (runStart > 0 && first[runStart].key < first[runStart - 1].key) MergeRun(runStart, runEnd, scratch);
    sortedCount_ = runEnd;
  }
}

// Merges the ascending run [runStart, runEnd) into the sorted points before
// it, from the back, so that of two points with equal x the later one stays
// behind: the same order as inserting each point after the last one whose x
// is not greater than its own.
void SeriesData::MergeRun(int runStart, int runEnd, std::vector<QCPGraphData>& scratch) {
  const auto points = begin();
  scratch.assign(points + runStart, points + runEnd);
  int earlier = runStart - 1;
  int later = static_cast<int>(scratch.size()) - 1;
  int write = runEnd - 1;
  while (later >= 0) {
    if (earlier >= 0 && points[earlier].key > scratch[later].key)
      points[write--] = points[earlier--];
    else
      points[write--] = scratch[later--];
  }
}

void SeriesData::RemoveAt(int index) {
  mData.remove(mPreallocSize + index);
  --sortedCount_;
  spanKnown_ = false;
}

double SeriesData::LargestX() const { return isEmpty() ? 0.0 : (constEnd() - 1)->key; }

void SeriesData::RemoveAll() {
  mData.resize(0);  // keeps the capacity for the next redraw
  mPreallocSize = 0;
  sortedCount_ = 0;
  spanKnown_ = true;
  spanFound_ = false;
}

bool SeriesData::ValueSpan(double& lowest, double& highest) {
  if (!spanKnown_) {
    spanKnown_ = true;
    spanFound_ = false;
    for (auto point = constBegin(); point != constEnd(); ++point) TakeIntoSpan(point->value);
  }
  lowest = lowest_;
  highest = highest_;
  return spanFound_;
}

SeriesPoints::SeriesPoints(int capacity) { scratch_.reserve(capacity); }

void SeriesPoints::Normalise(int first, int last) {
  for (int number = first; number <= last; ++number) (*this)[number].Normalise(scratch_);
}

void SeriesPoints::RemoveAll() {
  for (SeriesData* points : points_) points->RemoveAll();
}

SeriesData& PointsOf(const QCPGraph& graph) {
  // Every series of the graphs is made below, so its container is ours.
  return static_cast<SeriesData&>(*graph.data());
}

QCPGraph* MakeSeriesGraph(QCustomPlot& chart, QCPAxis& valueAxis, int capacity) {
  QCPGraph* graph = chart.addGraph(chart.xAxis, &valueAxis);
  graph->setData(QSharedPointer<SeriesData>::create(capacity));
  graph->setLineStyle(QCPGraph::lsLine);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  graph->setAdaptiveSampling(true);
  return graph;
}

}  // namespace veltrasko

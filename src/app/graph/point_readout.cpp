// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/point_readout.h"

#include <qcustomplot.h>

#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <vector>

#include "graph/graph_page.h"
#include "graph/plot_navigation.h"
#include "graph/plotted_strokes.h"
#include "graph/point_readout_text.h"
#include "graph/series_data.h"
#include "settings/user_settings.h"

namespace veltrasko {
namespace {

constexpr int BoxGap = 8;

// Widgets above the chart rather than items in it: following the pointer
// costs no replot of up to 100000 points, and print and copy leave it out.
template <typename Widget>
Widget* MakeOverlay(QCustomPlot& chart, const char* name) {
  auto* widget = new Widget(&chart);
  widget->setObjectName(name);
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->hide();
  return widget;
}

}  // namespace

PointReadout::PointReadout(const GraphPage& page, const PlottedStrokes& strokes, const UserSettings& settings)
    : QObject(&page.Chart()), page_(page), strokes_(strokes), settings_(settings), chart_(page.Chart()) {
  line_ = MakeOverlay<QFrame>(chart_, "ReadoutLine");
  line_->setStyleSheet("background-color: rgba(0, 0, 0, 140);");
  box_ = MakeOverlay<QLabel>(chart_, "ReadoutBox");
  box_->setFont(QFont("sans", 8));
  box_->setStyleSheet("background-color: rgba(255, 255, 224, 230); border: 1px solid gray; padding: 2px;");
  chart_.setMouseTracking(true);
  chart_.installEventFilter(this);
  // New strokes and zooms move the points under a pointer that stays put.
  connect(&chart_, &QCustomPlot::afterReplot, this, [this] {
    if (pointerOver_) Follow();
  });
}

bool PointReadout::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &chart_) return false;
  if (event->type() == QEvent::MouseMove) {
    pointerOver_ = true;
    pointer_ = static_cast<const QMouseEvent&>(*event).pos();
    Follow();
  } else if (event->type() == QEvent::Leave || event->type() == QEvent::Hide || event->type() == QEvent::ContextMenu) {
    // A menu over the plot takes the pointer without a leave.
    pointerOver_ = false;
    Hide();
  }
  return false;
}

void PointReadout::Follow() {
  const QRect plot = chart_.axisRect()->rect();
  if (!plot.contains(pointer_)) return Hide();
  const StrokeKey key = page_.DistanceChosen() ? StrokeKey::Distance : StrokeKey::Time;
  const PlottedStroke* stroke = strokes_.Nearest(key, chart_.xAxis->pixelToCoord(pointer_.x()));
  if (stroke == nullptr) return Hide();
  const double strokeKey = KeyOf(*stroke, key);
  const double strokePixel = chart_.xAxis->coordToPixel(strokeKey);
  // The nearest stroke lies beyond the plot's edge: nothing to point at.
  if (strokePixel < plot.left() || strokePixel > plot.right()) return Hide();
  box_->setText(ValuesText(*stroke, strokeKey));
  Place(strokePixel);
}

// The shown series' points at the stroke, found by their key; a side
// series has none for a stroke of the other side.
QString PointReadout::ValuesText(const PlottedStroke& stroke, double key) const {
  std::vector<ReadoutValue> values;
  for (int number = page_.Description().FirstSeries; number <= page_.Description().LastSeries(); ++number) {
    const QCPGraph& graph = page_.Series(number);
    const SeriesData& points = PointsOf(graph);
    // Points added since the last replot are not in key order yet.
    if (!graph.visible() || !points.Normalised()) continue;
    const std::ptrdiff_t index = NearestKeyIndex(
        points.size(), key, [&points](std::ptrdiff_t i) { return (points.constBegin() + static_cast<int>(i))->key; });
    if (index < 0) continue;
    const QCPGraphData& point = *(points.constBegin() + static_cast<int>(index));
    if (point.key == key) values.push_back({number, point.value});
  }
  return QString::fromStdString(PointReadoutText(stroke, values, settings_.SpeedUnit()));
}

void PointReadout::Place(double strokePixel) {
  const QRect plot = chart_.axisRect()->rect();
  const int x = static_cast<int>(std::lround(strokePixel));
  line_->setGeometry(x, plot.top(), 1, plot.height());
  box_->adjustSize();
  // Beside the line, on the side with room, near the pointer's height.
  int left = x + BoxGap;
  if (left + box_->width() > plot.right()) left = x - BoxGap - box_->width();
  const int top = std::clamp(pointer_.y() + BoxGap, plot.top(), std::max(plot.top(), plot.bottom() - box_->height()));
  box_->move(std::max(left, plot.left()), top);
  line_->show();
  box_->show();
  line_->raise();
  box_->raise();
}

void PointReadout::Hide() {
  line_->hide();
  box_->hide();
}

}  // namespace veltrasko

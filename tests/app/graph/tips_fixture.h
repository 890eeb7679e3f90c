// SPDX-License-Identifier: GPL-3.0-or-later
// The real graphs shown offscreen at a fixed size, with the point of a
// series found by its pixel position.
#pragma once

#include <QApplication>

#include "app/graph/graph_fixture.h"
#include "support/event_waits.h"

namespace veltrasko {

class ShownGraphTest : public GraphTest {
 protected:
  // Lays the graphs out for pixel positions: a chart does so once shown.
  void Show(QWidget& page, int width = 800, int height = 500) {
    page.resize(width, height);
    page.show();
    QCoreApplication::processEvents();
    for (QCustomPlot* chart : {&Graphs().Chart1(), &Graphs().Chart2()}) chart->replot();
  }

  static QPointF PixelOf(const QCPGraph& graph, double x, double y) {
    return {graph.keyAxis()->coordToPixel(x), graph.valueAxis()->coordToPixel(y)};
  }
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The real graphs shown offscreen at a fixed size, with the point of a
// series found by its pixel position.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include "app/graph/graph_fixture.h"

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

  // Runs the event loop until done() or a second has passed.
  template <typename Done>
  static bool WaitFor(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }
};

}  // namespace veltrasko

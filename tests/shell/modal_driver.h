// Answers the next modal dialog the code under test opens: a timer waits for
// it to appear and to settle (a file dialog fills its name field once its
// folder has been read), then hands it to the test's action.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace veltrasko::testing {

inline constexpr int SettleTimeMs = 150;

inline void WhenModalAppears(std::function<void(QWidget&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    QTimer::singleShot(SettleTimeMs, modal, [modal, act] { act(*modal); });
  });
  timer->start();
}

}  // namespace veltrasko::testing

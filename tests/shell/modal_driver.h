// Answers the next modal dialog the code under test opens: a timer waits for
// it to appear and to settle (a file dialog fills its name field once its
// folder has been read), then hands it to the test's action.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
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

// A message box or dialog that no test step waits for would block the test
// for ever: it fails the test and is closed.
class UnexpectedModals {
 public:
  UnexpectedModals() {
    QObject::connect(&check_, &QTimer::timeout, [this] {
      auto* modal = dynamic_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || expecting_) return;
      auto* box = dynamic_cast<QMessageBox*>(modal);
      ADD_FAILURE() << "unexpected dialog: " << qPrintable(box ? box->text() : modal->windowTitle());
      modal->reject();
    });
    check_.start(500);
  }

  // The next modal is the test's own until it says it has answered it.
  void ExpectOne() { expecting_ = true; }
  void Answered() { expecting_ = false; }
  // Lives as long as the guard: a context for the test's own timers.
  QObject& Context() { return check_; }

 private:
  QTimer check_;
  bool expecting_ = false;
};

}  // namespace veltrasko::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// Guards a window test against a dialog nobody answers.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

namespace veltrasko::testing {

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

// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the next modal dialog the code under test opens: a timer waits for
// it to appear and to settle (a file dialog fills its name field once its
// folder has been read), then hands it to the test's action; and answers a
// file dialog with a name.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
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

// Answers a file dialog as a user does: types the path into its name field
// and presses the button.
inline void AcceptFileName(QWidget& modal, const QString& path) {
  auto& dialog = dynamic_cast<QFileDialog&>(modal);
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(path);
  static_cast<QDialog&>(dialog).accept();  // runs the file dialog's own checks
}

}  // namespace veltrasko::testing

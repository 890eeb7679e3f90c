// SPDX-License-Identifier: GPL-3.0-or-later
// Answers every modal dialog the code under test opens while it lives, and
// counts them; a modal the test did not expect therefore never hangs it.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace veltrasko::test {

class ModalAnswers {
 public:
  // A file dialog fills its name field once its folder has been read: each
  // modal is answered only after it has settled.
  static constexpr int SettleTimeMs = 150;

  explicit ModalAnswers(std::function<void(QWidget&)> answer) : answer_(std::move(answer)) {
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
    poll_.start();
  }

  int Seen() const { return seen_; }

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answering_) return;
    answering_ = modal;
    ++seen_;
    QTimer::singleShot(SettleTimeMs, modal, [this, modal] { answer_(*modal); });
  }

  std::function<void(QWidget&)> answer_;
  QTimer poll_;
  QPointer<QWidget> answering_;
  int seen_ = 0;
};

}  // namespace veltrasko::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/modal_answers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <utility>

namespace veltrasko::test {

ModalAnswers::ModalAnswers(Answer each) : each_(std::move(each)) {
  poll_.setInterval(10);
  QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
  poll_.start();
}

void ModalAnswers::Look() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || modal == answering_) return;
  answering_ = modal;
  ++seen_;
  Answer answer = next_ ? std::exchange(next_, {}) : each_;
  if (!answer) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ADD_FAILURE() << "unexpected dialog: " << qPrintable(box ? box->text() : modal->windowTitle());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  QTimer::singleShot(SettleTimeMs, &poll_, [this, modal = QPointer<QWidget>(modal), answer = std::move(answer)] {
    if (!modal) return;
    answer(*modal);
    // A dialog kept for the next question is shown again as the same widget.
    if (modal == answering_ && !modal->isVisible()) answering_ = nullptr;
  });
}

void AcceptFileName(QWidget& modal, const QString& path) {
  auto& dialog = dynamic_cast<QFileDialog&>(modal);
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(path);
  static_cast<QDialog&>(dialog).accept();  // runs the file dialog's own checks
}

}  // namespace veltrasko::test

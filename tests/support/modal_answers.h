// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the modal dialogs the code under test opens, so that none blocks a
// test: each new modal is handed, once settled, to the answer the test gave
// for it; one that finds no answer waiting fails the test and is rejected.
// Its timers are its own and end with it, so no answer of one test reaches
// the dialogs of the next.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace veltrasko::test {

class ModalAnswers {
 public:
  using Answer = std::function<void(QWidget&)>;

  // A file dialog fills its name field once its folder has been read: each
  // modal is answered only after it has settled.
  static constexpr int SettleTimeMs = 150;

  // With an answer, every modal is answered by it; without, none is expected.
  explicit ModalAnswers(Answer each = {});
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  void AnswerEach(Answer each) { each_ = std::move(each); }
  // The next modal only; those after it go to the answer for each again.
  void AnswerNext(Answer next) { next_ = std::move(next); }

  int Seen() const { return seen_; }
  // Lives as long as the answers: a context for the test's own timers.
  QObject& Context() { return poll_; }

 private:
  void Look();

  Answer each_;
  Answer next_;
  QTimer poll_;
  QPointer<QWidget> answering_;
  int seen_ = 0;
};

// Answers a file dialog as a user does: types the path into its name field
// and presses the button.
void AcceptFileName(QWidget& modal, const QString& path);

}  // namespace veltrasko::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The whole window recording, meant to be killed: connects the first
// simulated box, names the session with the path given, resets the box and
// records its session with the graphs live, printing the stroke count on a
// line of its own, flushed, whenever it has grown. Settings, lock and
// hand-over channel live next to the record file. It paddles on until it is
// killed, or gives up after a minute so that a lost parent never leaves it
// running.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "link/box_link.h"
#include "link/box_menu.h"
#include "session/analyser_core.h"
#include "shell/main_window.h"
#include "shell/status_panels.h"
#include "support/modal_answers.h"
#include "support/places_in_folder.h"

namespace {

constexpr int StrokePollMs = 1;
constexpr int GiveUpMs = 60000;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <record file base name>.vrc\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // A modal loop would not end with the application's event loop.
  QTimer::singleShot(GiveUpMs, [] { std::_Exit(4); });

  const QString recordPath = QFile::decodeName(argv[1]);
  veltrasko::AnalyserCore core;
  veltrasko::TForm1 form(core, veltrasko::test::PlacesInFolder(QFileInfo(recordPath).absolutePath()), QByteArray());
  form.show();
  if (!form.Link().Menu().BoxItem(1)->isVisible()) {
    std::fprintf(stderr, "no box to connect\n");
    return 3;
  }

  veltrasko::test::ModalAnswers saveQuestion;
  saveQuestion.AnswerNext([&](QWidget& modal) { veltrasko::test::AcceptFileName(modal, recordPath); });
  form.Link().Menu().BoxItem(1)->trigger();

  // Polled between deliveries: every stroke counted has been written.
  bool resetSent = false;
  std::uint32_t printed = 0;
  QTimer strokePoll;
  QObject::connect(&strokePoll, &QTimer::timeout, [&] {
    if (!resetSent && form.StatusBar1().PanelText(4) == " Reset the ergo computer.") {
      resetSent = true;
      form.Menu().Resetcomputer1->trigger();
    }
    if (core.Session().StrokeCount == printed) return;
    printed = core.Session().StrokeCount;
    std::printf("%u\n", static_cast<unsigned>(printed));
    std::fflush(stdout);
  });
  strokePoll.start(StrokePollMs);
  return application.exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A recording that is meant to be killed: connects the simulated box, resets
// it and records its session into the path given, printing the stroke count
// on a line of its own, flushed, each time the recorder has taken strokes.
// It paddles on until it is killed, or gives up after a minute so that a
// lost parent never leaves it running.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "support/live_recording.h"

namespace {

constexpr int ConfirmPollMs = 5;
constexpr int GiveUpMs = 60000;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <record file base name>.vrc\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  veltrasko::test::LiveRecording recording(argv[1], [](std::uint32_t strokeCount) {
    std::printf("%u\n", static_cast<unsigned>(strokeCount));
    std::fflush(stdout);
  });
  if (!recording.ConnectFirstBox()) {
    std::fprintf(stderr, "no box to connect\n");
    return 3;
  }

  QTimer confirmPoll;
  QObject::connect(&confirmPoll, &QTimer::timeout, [&] {
    if (!recording.Confirmed()) return;
    confirmPoll.stop();
    recording.ResetBox();
  });
  confirmPoll.start(ConfirmPollMs);
  QTimer::singleShot(GiveUpMs, &application, [&] { application.exit(4); });
  return application.exec();
}

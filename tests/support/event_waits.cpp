// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/event_waits.h"

#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace veltrasko::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  if (condition()) return true;
  QEventLoop loop;
  bool timedOut = false;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  // Changes made by other threads or programs send no event here: look often.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (condition()) loop.quit();
  });
  deadline.start(limit);
  poll.start(2);
  loop.exec();
  return !timedOut || condition();
}

bool WaitWithoutEventsUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace veltrasko::test

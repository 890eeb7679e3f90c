// Keeps the screen from blanking while the box sends: each call resets the
// session's idle timers once, through the screen saver's D-Bus service, and
// never holds the machine awake beyond that.
#pragma once

#include <QDBusConnection>

namespace veltrasko {

class IdleTimers {
 public:
  // Built on the main thread; without a bus the resets are silently skipped.
  explicit IdleTimers(const QDBusConnection& bus = QDBusConnection::sessionBus());

  // Safe from any thread; sends without waiting for an answer.
  void ResetIdleTimers();

 private:
  QDBusConnection bus_;
  bool available_;
};

}  // namespace veltrasko

#include "link/idle_timers.h"

#include <QDBusMessage>

namespace veltrasko {

IdleTimers::IdleTimers(const QDBusConnection& bus) : bus_(bus), available_(bus.isConnected()) {}

void IdleTimers::ResetIdleTimers() {
  if (!available_) return;
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                                     "org.freedesktop.ScreenSaver", "SimulateUserActivity");
  // A missing service must not be started for us, nor its error waited for.
  call.setAutoStartService(false);
  bus_.send(call);
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/idle_timers.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "program_identity.h"

namespace veltrasko {
namespace {

QDBusMessage ScreenSaverCall(const QString& method, const QVariantList& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                                     "org.freedesktop.ScreenSaver", method);
  call.setArguments(arguments);
  // A missing service must not be started for us.
  call.setAutoStartService(false);
  return call;
}

}  // namespace

IdleTimers::IdleTimers(const QDBusConnection& bus, std::chrono::milliseconds releaseDelay)
    : bus_(bus), available_(bus.isConnected()) {
  releaseTimer_.setSingleShot(true);
  releaseTimer_.setInterval(releaseDelay);
  connect(&releaseTimer_, &QTimer::timeout, this, &IdleTimers::Release);
}

IdleTimers::~IdleTimers() { Release(); }

void IdleTimers::ResetIdleTimers() {
  if (!available_) return;
  releaseTimer_.start();
  releaseWhenAnswered_ = false;
  if (hold_ == Hold::None) Ask();
}

void IdleTimers::Release() {
  releaseTimer_.stop();
  switch (hold_) {
    case Hold::Held:
      bus_.send(ScreenSaverCall("UnInhibit", {cookie_}));
      hold_ = Hold::None;
      break;
    case Hold::Asking: releaseWhenAnswered_ = true; break;
    // A service that refused is asked again in the next quiet period only.
    case Hold::Refused: hold_ = Hold::None; break;
    case Hold::None: break;
  }
}

void IdleTimers::Ask() {
  hold_ = Hold::Asking;
  const QDBusPendingCall pending = bus_.asyncCall(
      ScreenSaverCall("Inhibit", {QString(VELTRASKO_DISPLAY_NAME), QString("Recording a paddle session")}));
  auto* watcher = new QDBusPendingCallWatcher(pending, this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
    const QDBusPendingReply<uint> reply = *answered;
    answered->deleteLater();
    Answered(!reply.isError(), reply.isError() ? 0 : reply.value());
  });
}

void IdleTimers::Answered(bool granted, uint cookie) {
  hold_ = granted ? Hold::Held : Hold::Refused;
  cookie_ = cookie;
  if (releaseWhenAnswered_) {
    releaseWhenAnswered_ = false;
    Release();
  }
}

}  // namespace veltrasko

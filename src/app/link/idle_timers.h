// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the screen from blanking while the box sends: the first report takes
// an inhibition from the screen saver's D-Bus service, later reports extend
// it, and it is released a while after the last report, at a disconnect and
// at exit, so the machine is never held awake for good. Without a session
// bus or a screen saver service nothing happens.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace veltrasko {

class IdleTimers final : public QObject {
 public:
  static constexpr std::chrono::milliseconds DefaultReleaseDelay{60'000};

  // Main thread only, like every call below.
  explicit IdleTimers(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                      std::chrono::milliseconds releaseDelay = DefaultReleaseDelay);
  ~IdleTimers() override;

  // A report arrived: keep the screen awake until releaseDelay after it.
  void ResetIdleTimers();
  // The screen may blank again from now on.
  void Release();
  // Whether the service granted the inhibition that is held now.
  bool Holding() const { return hold_ == Hold::Held; }

 private:
  enum class Hold { None, Asking, Held, Refused };

  void Ask();
  void Answered(bool granted, uint cookie);

  QDBusConnection bus_;
  bool available_;
  QTimer releaseTimer_;
  Hold hold_ = Hold::None;
  bool releaseWhenAnswered_ = false;
  uint cookie_ = 0;
};

}  // namespace veltrasko

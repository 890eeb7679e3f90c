// SPDX-License-Identifier: GPL-3.0-or-later
// The screen is kept awake by an inhibition of the screen saver's D-Bus
// service, held while reports arrive and released after them, on a private
// bus with a stand-in for the service.
#include "link/idle_timers.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <memory>

#include "link/box_link.h"
#include "support/event_waits.h"
#include "support/link_fakes.h"
#include "support/simulated_boxes.h"

namespace veltrasko {
namespace {

using namespace test;
using namespace std::chrono_literals;

class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public slots:
  uint Inhibit(const QString& application, const QString& reason) {
    Reasons.append(application + ": " + reason);
    Held.append(++lastCookie_);
    return lastCookie_;
  }
  void UnInhibit(uint cookie) {
    Released.append(cookie);
    Held.removeOne(cookie);
  }

 public:
  QStringList Reasons;  // one per Inhibit
  QList<uint> Held;
  QList<uint> Released;

 private:
  uint lastCookie_ = 40;
};

class IdleTimersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AttachBoxes();
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!daemon_.waitForStarted(3000) || !daemon_.waitForReadyRead(3000)) GTEST_SKIP() << "no dbus-daemon here";
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }

  void TearDown() override {
    QDBusConnection::disconnectFromBus("screen-saver-side");
    QDBusConnection::disconnectFromBus("link-side");
    daemon_.kill();
    daemon_.waitForFinished(3000);
  }

  void ServeScreenSaver() {
    QDBusConnection bus = QDBusConnection::connectToBus(address_, "screen-saver-side");
    EXPECT_TRUE(bus.registerService("org.freedesktop.ScreenSaver"));
    EXPECT_TRUE(bus.registerObject("/org/freedesktop/ScreenSaver", &screenSaver_, QDBusConnection::ExportAllSlots));
  }

  QDBusConnection LinkBus() { return QDBusConnection::connectToBus(address_, "link-side"); }

  QProcess daemon_;
  QString address_;
  FakeScreenSaver screenSaver_;
};

TEST_F(IdleTimersTest, OneInhibitionWhileTheBoxSendsReleasedAtTheDisconnect) {
  ServeScreenSaver();
  AnalyserCore core;
  BoxCommandSender commands;
  ScanningConsumer consumer;
  FakeStatus status;
  FakeGraphs graphs;
  AttachBoxes({{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "5"}});
  BoxLink link(BoxLinkPeers{core, commands, consumer, status, graphs}, nullptr, LinkBus());
  link.ScanBoxes();
  link.Menu().BoxItem(1)->trigger();
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() == 5; }));
  EXPECT_EQ(screenSaver_.Reasons, QStringList{"Veltrasko Analyser: Recording a paddle session"});
  EXPECT_EQ(screenSaver_.Held.size(), 1);

  link.Menu().USB_disconnect1->trigger();
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Held.isEmpty(); }, 3000ms));
  EXPECT_EQ(screenSaver_.Released, QList<uint>{41});
  // No report can come after the reader is gone.
  ASSERT_TRUE(WaitUntil([&] { return link.LiveReaderCount() == 0; }));
  EXPECT_EQ(screenSaver_.Reasons.size(), 1);
}

TEST_F(IdleTimersTest, ReleasedAfterTheQuietPeriodTakenAgainByTheNextReportAndReleasedAtExit) {
  ServeScreenSaver();
  auto timers = std::make_unique<IdleTimers>(LinkBus(), 300ms);
  for (int i = 0; i < 5; ++i) timers->ResetIdleTimers();
  ASSERT_TRUE(WaitUntil([&] { return screenSaver_.Held.size() == 1; }, 3000ms));
  ASSERT_TRUE(WaitUntil([&] { return screenSaver_.Held.isEmpty(); }, 3000ms));
  EXPECT_EQ(screenSaver_.Reasons.size(), 1);

  timers->ResetIdleTimers();
  ASSERT_TRUE(WaitUntil([&] { return timers->Holding(); }, 3000ms));
  EXPECT_EQ(screenSaver_.Held, QList<uint>{42});
  timers.reset();
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Released == QList<uint>{41, 42}; }, 3000ms));
}

TEST_F(IdleTimersTest, AnAnswerAfterTheReleaseIsLetGoAtOnce) {
  ServeScreenSaver();
  IdleTimers timers(LinkBus());
  timers.ResetIdleTimers();
  timers.Release();
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Released == QList<uint>{41}; }, 3000ms));
  EXPECT_TRUE(screenSaver_.Held.isEmpty());
}

TEST_F(IdleTimersTest, MissingServiceIsSkippedSilentlyAndAskedAgainAfterTheQuietPeriod) {
  IdleTimers timers(LinkBus(), 200ms);
  for (int i = 0; i < 20; ++i) timers.ResetIdleTimers();
  // Nothing is held without a service, all through the quiet period.
  EXPECT_FALSE(WaitUntil([&] { return timers.Holding(); }, 400ms));
  ServeScreenSaver();
  timers.ResetIdleTimers();
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Held.size() == 1; }, 3000ms));
}

TEST(IdleTimers, WithoutABusNothingHappens) {
  IdleTimers timers(QDBusConnection("never-connected"));
  timers.ResetIdleTimers();
  timers.Release();
}

}  // namespace
}  // namespace veltrasko

#include "idle_timers_test.moc"

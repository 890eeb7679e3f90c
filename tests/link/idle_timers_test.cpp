// The idle timers are reset once per delivered report through the screen
// saver's D-Bus service, on a private bus with a stand-in for the service.
#include "link/idle_timers.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QObject>
#include <QProcess>

#include "link/box_link.h"
#include "link_test_support.h"

namespace veltrasko {
namespace {

using namespace testing_support;
using namespace std::chrono_literals;

class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public slots:
  void SimulateUserActivity() { ++Calls; }

 public:
  int Calls = 0;
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

  QDBusConnection ServeScreenSaver() {
    QDBusConnection bus = QDBusConnection::connectToBus(address_, "screen-saver-side");
    EXPECT_TRUE(bus.registerService("org.freedesktop.ScreenSaver"));
    EXPECT_TRUE(bus.registerObject("/org/freedesktop/ScreenSaver", &screenSaver_, QDBusConnection::ExportAllSlots));
    return bus;
  }

  QDBusConnection LinkBus() { return QDBusConnection::connectToBus(address_, "link-side"); }

  QProcess daemon_;
  QString address_;
  FakeScreenSaver screenSaver_;
};

TEST_F(IdleTimersTest, OneResetPerDeliveredReport) {
  ServeScreenSaver();
  SessionState session;
  BoxCommandSender commands;
  ScanningConsumer consumer;
  FakeStatus status;
  FakeGraphs graphs;
  AttachBoxes({{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "5"}});
  BoxLink link(BoxLinkPeers{session, commands, consumer, status, graphs}, nullptr, LinkBus());
  link.ScanBoxes();
  link.Menu().BoxItem(1)->trigger();
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() == 5; }));
  link.Menu().USB_disconnect1->trigger();

  // Status, session start and five strokes: seven reports, seven resets.
  ASSERT_EQ(consumer.ChunkLengths.size(), 7u);
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Calls == 7; }, 3000ms));
  ServeFor(100ms);
  EXPECT_EQ(screenSaver_.Calls, 7);
}

TEST_F(IdleTimersTest, MissingServiceIsSkippedSilently) {
  IdleTimers timers(LinkBus());
  for (int i = 0; i < 20; ++i) timers.ResetIdleTimers();
  QDBusConnection late = ServeScreenSaver();
  ServeFor(100ms);
  // Nothing was queued up for a service that was not there.
  EXPECT_EQ(screenSaver_.Calls, 0);
  timers.ResetIdleTimers();
  EXPECT_TRUE(WaitUntil([&] { return screenSaver_.Calls == 1; }, 3000ms));
}

TEST(IdleTimers, WithoutABusTheResetIsANoOp) {
  IdleTimers timers(QDBusConnection("never-connected"));
  timers.ResetIdleTimers();
}

}  // namespace
}  // namespace veltrasko

#include "idle_timers_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The box link over the simulated box: the "USB Connection" menu, connecting,
// disconnecting, unplugging, and the hand-over of reports to the main thread.
#include "link/box_link.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "support/core_state_for_tests.h"
#include "support/event_waits.h"
#include "support/link_fakes.h"
#include "support/record_frames.h"
#include "support/simulated_boxes.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using namespace test;
using namespace std::chrono_literals;

std::vector<std::uint8_t> ExpectedReport(std::uint8_t kind) {
  std::vector<std::uint8_t> report(65, 0);
  report[1] = report[2] = report[3] = 0xFF;
  report[4] = 0xFB;
  report[27] = kind;
  report[28] = kind;
  return report;
}

class BoxLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { AttachBoxes(); }

  // The visible box items' captions, in menu order.
  std::vector<std::string> ListedCaptions() const {
    std::vector<std::string> captions;
    for (int n = 1; n <= BoxItemCount; ++n) {
      if (link.Menu().BoxItem(n)->isVisible()) captions.push_back(link.Menu().BoxItem(n)->text().toStdString());
    }
    return captions;
  }

  void ExpectDisconnectedMenu() const {
    const BoxMenu& menu = link.Menu();
    EXPECT_TRUE(menu.USB_disconnect1->isChecked());
    EXPECT_EQ(menu.USB_disconnect1->text(), "Disconnected");
    EXPECT_TRUE(menu.USB_con_Update1->isEnabled());
    for (int n = 1; n <= BoxItemCount; ++n) {
      EXPECT_FALSE(menu.BoxItem(n)->isChecked()) << n;
      // A hidden action reads as disabled whatever it was told.
      EXPECT_EQ(menu.BoxItem(n)->isEnabled(), menu.BoxItem(n)->isVisible()) << n;
    }
  }

  void ExpectConnectedMenu(int chosen) const {
    const BoxMenu& menu = link.Menu();
    EXPECT_FALSE(menu.USB_disconnect1->isChecked());
    EXPECT_EQ(menu.USB_disconnect1->text(), "Disconnect...");
    EXPECT_FALSE(menu.USB_con_Update1->isEnabled());
    for (int n = 1; n <= BoxItemCount; ++n) {
      EXPECT_EQ(menu.BoxItem(n)->isChecked(), n == chosen) << n;
      EXPECT_EQ(menu.BoxItem(n)->isEnabled(), n == chosen) << n;
    }
  }

  void Choose(int n) { link.Menu().BoxItem(n)->trigger(); }
  void ChooseDisconnect() { link.Menu().USB_disconnect1->trigger(); }

  TemporaryFolder folder;
  AnalyserCore core;
  // The link acts on the record file; the tests open one and watch it.
  SessionState& session = CoreStateForTests::Session(core);
  BoxCommandSender commands;
  ScanningConsumer consumer;
  FakeStatus status;
  FakeGraphs graphs;
  BoxLink link{BoxLinkPeers{core, commands, consumer, status, graphs}, nullptr,
               QDBusConnection("no-bus-in-these-tests")};
};

TEST_F(BoxLinkTest, StartsDisconnectedWithTheItemsInMenuOrder) {
  const QList<QAction*> actions = link.Menu().Actions();
  ASSERT_EQ(actions.size(), 12);
  EXPECT_EQ(actions[0]->objectName(), "USB_con_Update1");
  EXPECT_EQ(actions[0]->text(), "Update...");
  EXPECT_FALSE(actions[0]->isCheckable());
  EXPECT_EQ(actions[1]->objectName(), "USB_disconnect1");
  for (int n = 1; n <= BoxItemCount; ++n) {
    EXPECT_EQ(actions[n + 1]->objectName(), QString("USB_con%1").arg(n));
    EXPECT_EQ(actions[n + 1]->text(), QString("USB%1").arg(n));
    EXPECT_FALSE(actions[n + 1]->isVisible());
  }
  ExpectDisconnectedMenu();
  EXPECT_TRUE(EventNames().empty());
}

TEST_F(BoxLinkTest, ListsPassingBoxesInEnumerationOrder) {
  AttachBoxes(
      {{"BOXSIM_BOXES", "1001,Other/Veltrask Pro,57,Foreign/Veltrasko Box/Other Maker,0042/Veltrasko/Corvane"}});
  link.ScanBoxes();
  EXPECT_EQ(ListedCaptions(), (std::vector<std::string>{"Box ID: 1001", "Box ID: 57", "Box ID: 0042"}));
  EXPECT_EQ(link.BoxSerialNumbers()[0], 1001u);
  EXPECT_EQ(link.BoxSerialNumbers()[1], 57u);
  EXPECT_EQ(link.BoxSerialNumbers()[2], 42u);

  // A rescan hides what is gone; "Update..." is the same scan.
  AttachBoxes({{"BOXSIM_BOXES", "57"}});
  link.Menu().USB_con_Update1->trigger();
  EXPECT_EQ(ListedCaptions(), std::vector<std::string>{"Box ID: 57"});
}

TEST_F(BoxLinkTest, ListsOnlyTheFirstTenOfElevenBoxes) {
  AttachBoxes({{"BOXSIM_BOXES", "1,2,3,4,5,6,7,8,9,10,11"}});
  link.ScanBoxes();
  ASSERT_EQ(ListedCaptions().size(), 10u);
  EXPECT_EQ(ListedCaptions().back(), "Box ID: 10");
}

TEST_F(BoxLinkTest, ConnectWritesOneConnectReportAndTheConfirmationArrives) {
  session.SessionOpen = 1;
  link.ScanBoxes();
  Choose(1);
  ExpectConnectedMenu(1);
  EXPECT_TRUE(link.BoxOpen());
  EXPECT_EQ(session.SessionOpen, 0);
  EXPECT_EQ(graphs.Clears, 1);
  EXPECT_TRUE(status.Shown.empty());

  EXPECT_EQ(EventNames(), (std::vector<std::string>{"open", "nonblocking", "write"}));
  EXPECT_EQ(EventsNamed("nonblocking")[0].Bytes, std::vector<std::uint8_t>{1});
  EXPECT_EQ(EventsNamed("write")[0].Bytes, ExpectedReport(KindConnect));

  ASSERT_TRUE(WaitUntil([&] { return !consumer.Statuses.empty(); }));
  EXPECT_EQ(consumer.Statuses[0].MessageKind(), KindConnectionStatus);
  EXPECT_EQ(consumer.Statuses[0].StatusFlag(), 1);
  EXPECT_EQ(consumer.ChunkLengths[0], 64);

  // Choosing the checked item again, or another one, does nothing.
  Choose(1);
  link.USB_conClick(2);
  ExpectConnectedMenu(1);
  EXPECT_EQ(EventsNamed("open").size(), 1u);
}

TEST_F(BoxLinkTest, DisconnectWritesItsReportClosesTheBoxAndTheRecordFile) {
  const std::string path = folder.File("link_disconnect.vrc");
  link.ScanBoxes();
  Choose(1);
  ASSERT_TRUE(session.Record.Create(path));
  session.NewFileNeeded = 0;
  ASSERT_TRUE(WaitUntil([&] { return !consumer.Statuses.empty(); }));

  ChooseDisconnect();

  EXPECT_EQ(EventNames(), (std::vector<std::string>{"open", "nonblocking", "write", "write", "close"}));
  EXPECT_EQ(EventsNamed("write")[1].Bytes, ExpectedReport(KindDisconnect));
  EXPECT_FALSE(link.BoxOpen());
  EXPECT_FALSE(session.Record.IsOpen());
  EXPECT_EQ(session.NewFileNeeded, 1);
  EXPECT_EQ(status.Shown, (std::vector<std::pair<StatusPanel, std::string>>{{StatusPanel::Connection, "Disconnected"},
                                                                            {StatusPanel::Strokes, ""},
                                                                            {StatusPanel::Weight, ""},
                                                                            {StatusPanel::FileOrHint, ""}}));
  ExpectDisconnectedMenu();
  EXPECT_EQ(ListedCaptions(), std::vector<std::string>{"Box ID: 1001"});
  ASSERT_TRUE(WaitUntil([&] { return link.LiveReaderCount() == 0; }));

  // With no box open nothing is written, and "Disconnected" again does nothing.
  commands.SendResetCommand();
  ChooseDisconnect();
  EXPECT_EQ(EventsNamed("write").size(), 2u);
  EXPECT_EQ(status.Shown.size(), 4u);
}

TEST_F(BoxLinkTest, ConnectingAgainLeavesExactlyOneReader) {
  link.ScanBoxes();
  Choose(1);
  ASSERT_TRUE(WaitUntil([&] { return consumer.Count(ScanStatus) == 1; }));
  ChooseDisconnect();
  Choose(1);
  ExpectConnectedMenu(1);
  ASSERT_TRUE(WaitUntil([&] { return link.LiveReaderCount() == 1; }));
  // A reader left behind would go on reading.
  EXPECT_TRUE(WaitUntil([] { return boxsim::ReadingThreadCount(100ms) == 1; }));
  ASSERT_TRUE(WaitUntilReportsTaken(2));
  EXPECT_EQ(consumer.Count(ScanStatus), 2);
}

TEST_F(BoxLinkTest, UnpluggedBoxIsAwaitedUntilAnotherBoxIsChosen) {
  AttachBoxes({{"BOXSIM_BOXES", "1001,57"}, {"BOXSIM_PACE", "20"}, {"BOXSIM_PAUSE_EVERY", "0"}});
  link.ScanBoxes();
  Choose(2);
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() >= 3; }));

  boxsim::Unplug("57");
  ASSERT_TRUE(WaitUntil([&] { return link.WaitingForBox(); }));
  // "Disconnect..." ends the wait; no box is checked, and the others may be chosen.
  const BoxMenu& menu = link.Menu();
  EXPECT_FALSE(menu.USB_disconnect1->isChecked());
  EXPECT_EQ(menu.USB_disconnect1->text(), "Disconnect...");
  EXPECT_FALSE(menu.USB_con_Update1->isEnabled());
  EXPECT_EQ(ListedCaptions(), std::vector<std::string>{"Box ID: 1001"});
  EXPECT_FALSE(menu.BoxItem(1)->isChecked());
  EXPECT_FALSE(menu.BoxItem(2)->isChecked());
  EXPECT_TRUE(menu.BoxItem(1)->isEnabled());
  EXPECT_FALSE(link.BoxOpen());
  EXPECT_EQ(status.Shown, (std::vector<std::pair<StatusPanel, std::string>>{
                              {StatusPanel::Connection, "Disconnected"},
                              {StatusPanel::FileOrHint, " Box unplugged! Waiting for it..."}}));
  // The box is gone: no disconnect command is written after the reset.
  EXPECT_EQ(EventsNamed("write").size(), 2u);
  ASSERT_TRUE(WaitUntil([&] { return link.LiveReaderCount() == 0; }));
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));

  Choose(1);
  EXPECT_FALSE(link.WaitingForBox());
  ExpectConnectedMenu(1);
  EXPECT_EQ(EventsNamed("open").back().SerialNumber, "1001");
  EXPECT_EQ(status.Shown.back(), (std::pair<StatusPanel, std::string>{StatusPanel::FileOrHint, ""}));
}

TEST_F(BoxLinkTest, BoxThatCannotBeOpenedLeavesTheMenuInOpenFailed) {
  AttachBoxes({{"BOXSIM_BOXES", "0042,1001"}});
  link.ScanBoxes();
  EXPECT_EQ(ListedCaptions().front(), "Box ID: 0042");
  Choose(1);
  EXPECT_EQ(EventsNamed("open-failed")[0].SerialNumber, "42");
  EXPECT_FALSE(link.BoxOpen());
  EXPECT_TRUE(link.Menu().BoxItem(1)->isChecked());
  EXPECT_FALSE(link.Menu().USB_disconnect1->isChecked());
  EXPECT_EQ(link.Menu().USB_disconnect1->text(), "Disconnected");
  EXPECT_TRUE(link.Menu().USB_con_Update1->isEnabled());
  EXPECT_EQ(graphs.Clears, 0);
  EXPECT_EQ(
      status.Shown,
      (std::vector<std::pair<StatusPanel, std::string>>{{StatusPanel::FileOrHint, " Could not open Box ID: 0042"}}));

  // In Open failed another box cannot be chosen; "Disconnected" leads back.
  Choose(2);
  EXPECT_TRUE(EventsNamed("open").empty());
  ChooseDisconnect();
  ExpectDisconnectedMenu();
  EXPECT_TRUE(EventsNamed("write").empty());
}

TEST_F(BoxLinkTest, NeverConfirmingBoxDeliversNothing) {
  AttachBoxes({{"BOXSIM_NEVER_CONFIRM", "1"}});
  link.ScanBoxes();
  Choose(1);
  ASSERT_TRUE(WaitUntilReportsTaken(0));
  ExpectConnectedMenu(1);
  EXPECT_TRUE(consumer.ChunkLengths.empty());
}

TEST_F(BoxLinkTest, BlockedConsumerLosesNothingAndKeepsTheOrder) {
  AttachBoxes({{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "30"}});
  bool blocked = false;
  consumer.OnChunk = [&] {
    if (blocked || consumer.Count(ScanSessionStart) == 0) return;
    blocked = true;
    // As a modal dialog: events run, but the reader waits for this call.
    QEventLoop modal;
    QTimer::singleShot(700, &modal, &QEventLoop::quit);
    modal.exec();
  };
  link.ScanBoxes();
  Choose(1);
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() == 30; }, 10s));
  EXPECT_TRUE(blocked);
  EXPECT_FALSE(consumer.Overlapped);
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));
  EXPECT_EQ(consumer.Count(ScanBadStroke), 0);
}

TEST_F(BoxLinkTest, SplitFramesAreDeliveredReportByReport) {
  AttachBoxes(
      {{"BOXSIM_PACE", "60"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "20"}, {"BOXSIM_PACKING", "split"}});
  link.ScanBoxes();
  Choose(1);
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() == 20; }, 10s));
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));
  for (std::int16_t length : consumer.ChunkLengths) EXPECT_EQ(length, 64);
}

TEST_F(BoxLinkTest, DisconnectWhileReportsArriveDeliversAtMostOneMore) {
  AttachBoxes({{"BOXSIM_PACE", "200"}, {"BOXSIM_PAUSE_EVERY", "0"}});
  link.ScanBoxes();
  Choose(1);
  commands.SendResetCommand();
  ASSERT_TRUE(WaitUntil([&] { return consumer.StrokeNumbers.size() >= 10; }));
  const std::size_t before = consumer.ChunkLengths.size();
  ChooseDisconnect();
  ASSERT_TRUE(WaitUntil([&] { return link.LiveReaderCount() == 0; }));
  EXPECT_LE(consumer.ChunkLengths.size(), before + 1);
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));
}

TEST_F(BoxLinkTest, ShutDownClosesWithoutACommand) {
  const std::string path = folder.File("link_shutdown.vrc");
  link.ScanBoxes();
  Choose(1);
  ASSERT_TRUE(session.Record.Create(path));
  link.ShutDown();
  EXPECT_FALSE(session.Record.IsOpen());
  EXPECT_FALSE(link.BoxOpen());
  EXPECT_EQ(link.LiveReaderCount(), 0);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"open", "nonblocking", "write", "close"}));
}

}  // namespace
}  // namespace veltrasko

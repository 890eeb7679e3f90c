// SPDX-License-Identifier: GPL-3.0-or-later
// The box link: lists the attached boxes in the "USB Connection" menu,
// connects the one the user picks, runs the reader while it is open and lets
// it go again on request, when it is unplugged and at program exit. An
// unplugged box is looked for every second until it is back, and reopened
// for the session that waits for it. Runs on the main thread.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "link/box_menu.h"
#include "link/box_transport.h"
#include "link/idle_timers.h"
#include "link/reader_thread.h"
#include "protocol/box_commands.h"
#include "protocol/chunk_consumer.h"
#include "screen/screen_sinks.h"
#include "session/analyser_core.h"

namespace veltrasko {

// What the link touches outside itself.
struct BoxLinkPeers {
  AnalyserCore& Core;          // the record-file half of connecting and disconnecting
  BoxCommandSender& Commands;  // given the open box as its report writer
  ChunkConsumer& Consumer;     // takes every received report
  StatusSink& Status;
  GraphSink& Graphs;
};

class BoxLink final : public QObject, private ReaderHost {
 public:
  // The screen is kept awake through the screen saver on bus (none: not at all).
  explicit BoxLink(BoxLinkPeers peers, QObject* parent = nullptr,
                   const QDBusConnection& bus = QDBusConnection::sessionBus());
  ~BoxLink() override;

  BoxMenu& Menu() { return menu_; }
  const BoxMenu& Menu() const { return menu_; }
  const std::array<std::uint32_t, BoxItemCount>& BoxSerialNumbers() const { return boxSerialNumbers_; }
  bool BoxOpen() const { return transport_.IsOpen(); }
  // A box was lost and is looked for until it is back or the wait is ended.
  bool WaitingForBox() const { return awaitedSerial_.has_value(); }

  void ScanBoxes();
  void ConnectBox(int n);
  void DisconnectBox();
  void BoxLost() override;

  void USB_con_Update1Click();
  void USB_disconnect1Click();
  void USB_conClick(int n);

  // Program exit: stop the reader, close the record file and then the box,
  // without a disconnect command.
  void ShutDown();

  // Readers started by this link that have not ended yet.
  int LiveReaderCount() const;

 private:
  void DeliverReceivedBytes(std::span<const std::uint8_t> bytes) override;
  // Opens box item n and starts reading it; false when it cannot be opened.
  bool OpenBox(int n);
  void LookForLostBox();
  void ResumeBox(int n);
  void EndWaiting();
  // The box item listing this serial number; 0 when it is not listed.
  int ListedItemOf(std::uint32_t serialNumber) const;
  // "Update..." off, "Disconnect..." offered, the box items off.
  void ShowBoxOpenMenu();
  void CheckBoxItem(int n);
  void ShowDisconnectedStatus();
  void StartReader();
  void StopReader();
  void CloseBoxDevice();
  void ShowDisconnectedMenu();
  // Waits for every reader to end, dropping what they still hand over.
  void EndReaders();
  // Destroys the stopped readers that have ended.
  void ReleaseEndedReaders();
  void ApplyCheckedItem() { menu_.CheckItem(checkedItem_); }

  BoxLinkPeers peers_;
  IdleTimers idleTimers_;
  BoxMenu menu_;
  BoxTransport transport_;
  // The reader's calls arrive through this object, which outlives every reader.
  QObject deliveryContext_;
  // The running reader, and those asked to stop that this link has not yet
  // seen end: every reader is destroyed here, and only once it has ended.
  std::unique_ptr<TRead> readerThread_;
  std::vector<std::unique_ptr<TRead>> stoppedReaders_;
  bool endingReaders_ = false;
  int checkedItem_ = 0;  // 0: "Disconnected", n: box item n, NoCheckedItem: waiting
  std::array<std::uint32_t, BoxItemCount> boxSerialNumbers_{};
  int listedCount_ = 0;
  std::uint32_t openSerial_ = 0;  // the box opened last
  std::optional<std::uint32_t> awaitedSerial_;
  QTimer rescanTimer_;
};

}  // namespace veltrasko

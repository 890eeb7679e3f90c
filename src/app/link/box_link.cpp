// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/box_link.h"

#include <hidapi/hidapi.h>

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <algorithm>

#include "protocol/box_identification.h"

namespace veltrasko {
namespace {

// Fixed waits instead of a handshake with the reader: after asking it to stop
// it has ended, or waits for the main thread, within these times.
constexpr unsigned long ReaderStopWaitMs = 300;
constexpr unsigned long RecordCloseWaitMs = 300;
constexpr unsigned long DisconnectCommandWaitMs = 10;
constexpr unsigned long RescanWaitMs = 300;
// A lost box plugged in again is found within two of these.
constexpr int LostBoxRescanMs = 1000;

void Wait(unsigned long milliseconds) { QThread::msleep(milliseconds); }

}  // namespace

BoxLink::BoxLink(BoxLinkPeers peers, QObject* parent, const QDBusConnection& bus)
    : QObject(parent), peers_(peers), idleTimers_(bus), menu_(this) {
  connect(menu_.USB_con_Update1, &QAction::triggered, this, &BoxLink::USB_con_Update1Click);
  connect(menu_.USB_disconnect1, &QAction::triggered, this, &BoxLink::USB_disconnect1Click);
  for (int n = 1; n <= BoxItemCount; ++n) {
    connect(menu_.BoxItem(n), &QAction::triggered, this, [this, n] { USB_conClick(n); });
  }
  rescanTimer_.setInterval(LostBoxRescanMs);
  connect(&rescanTimer_, &QTimer::timeout, this, &BoxLink::LookForLostBox);
}

BoxLink::~BoxLink() {
  EndWaiting();
  StopReader();
  EndReaders();
  CloseBoxDevice();
}

void BoxLink::ScanBoxes() {
  hid_device_info* devices = hid_enumerate(0, 0);
  menu_.HideBoxItems();
  int count = 0;
  for (const hid_device_info* device = devices; device != nullptr && count < BoxItemCount; device = device->next) {
    if (!PassesBoxIdentification(device->vendor_id, device->product_id, device->product_string,
                                 device->manufacturer_string)) {
      continue;
    }
    boxSerialNumbers_[static_cast<std::size_t>(count)] = SerialNumberValue(NarrowSerialText(device->serial_number));
    ++count;
    QAction* item = menu_.BoxItem(count);
    const QString serialText = device->serial_number ? QString::fromWCharArray(device->serial_number) : QString();
    item->setText("Box ID: " + serialText);
    item->setVisible(true);
  }
  hid_free_enumeration(devices);
  listedCount_ = count;
}

bool BoxLink::OpenBox(int n) {
  const std::uint32_t serialNumber = boxSerialNumbers_[static_cast<std::size_t>(n - 1)];
  const SerialNumberText serialText = FormatSerialNumber(serialNumber);
  if (!transport_.OpenBoxDevice(serialText.data())) return false;
  openSerial_ = serialNumber;
  peers_.Commands.AttachWriter(transport_);
  peers_.Commands.EmptyCommandReport();
  StartReader();
  return true;
}

void BoxLink::ConnectBox(int n) {
  if (!OpenBox(n)) {
    // The box item stays checked; the user must learn why nothing happens.
    const QByteArray text = QFile::encodeName(" Could not open " + menu_.BoxItem(n)->text());
    peers_.Status.ShowStatus(StatusPanel::FileOrHint,
                             std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    return;
  }
  peers_.Core.ConnectBox();
  peers_.Commands.SendConnectRequest();
  peers_.Graphs.ClearGraphs();
  ShowBoxOpenMenu();
}

void BoxLink::DisconnectBox() {
  EndWaiting();
  StopReader();
  idleTimers_.Release();
  Wait(ReaderStopWaitMs);
  peers_.Core.DisconnectBox();
  Wait(RecordCloseWaitMs);
  if (transport_.IsOpen()) {
    peers_.Commands.SendDisconnectCommand();
    Wait(DisconnectCommandWaitMs);
    CloseBoxDevice();
  }
  menu_.EnableBoxItems(true);
}

void BoxLink::BoxLost() {
  // Only the running reader speaks for the open box.
  if (endingReaders_ || !readerThread_) return;
  const BoxLostNotice notice = peers_.Core.BoxLost();
  // The reader waits in this call, so the device is not being read; the box
  // is gone, so no disconnect command can reach it.
  StopReader();
  idleTimers_.Release();
  CloseBoxDevice();
  awaitedSerial_ = openSerial_;
  // "Disconnect..." ends the wait, and another box may be chosen instead.
  checkedItem_ = NoCheckedItem;
  ApplyCheckedItem();
  menu_.EnableBoxItems(true);
  // A lost box is no connection: the panels say so, and name in the tip the
  // file that holds the session. The stroke count and weight stay.
  peers_.Status.ShowStatus(StatusPanel::Connection, DisconnectedText);
  peers_.Status.ShowStatus(StatusPanel::FileOrHint, notice.Hint);
  if (!notice.Tip.empty()) peers_.Status.ShowStatusTip(StatusPanel::FileOrHint, notice.Tip);
  ScanBoxes();
  rescanTimer_.start();
}

void BoxLink::LookForLostBox() {
  if (!awaitedSerial_) return;
  ScanBoxes();
  if (const int n = ListedItemOf(*awaitedSerial_); n != 0) ResumeBox(n);
}

void BoxLink::ResumeBox(int n) {
  // Just plugged in, the device may not be ours to open yet: the next
  // rescan tries again.
  if (!OpenBox(n)) return;
  EndWaiting();
  const StatusText shown = peers_.Core.ResumeBox();
  peers_.Commands.SendConnectRequest();
  ShowBoxOpenMenu();
  CheckBoxItem(n);
  peers_.Status.ShowStatus(StatusPanel::FileOrHint, shown.View());
}

void BoxLink::EndWaiting() {
  rescanTimer_.stop();
  awaitedSerial_.reset();
}

int BoxLink::ListedItemOf(std::uint32_t serialNumber) const {
  for (int n = 1; n <= listedCount_; ++n) {
    if (boxSerialNumbers_[static_cast<std::size_t>(n - 1)] == serialNumber) return n;
  }
  return 0;
}

void BoxLink::USB_con_Update1Click() { ScanBoxes(); }

void BoxLink::USB_disconnect1Click() {
  if (checkedItem_ == 0) {
    ApplyCheckedItem();
    return;
  }
  DisconnectBox();
  ShowDisconnectedMenu();
  ShowDisconnectedStatus();
  Wait(RescanWaitMs);
  ScanBoxes();
}

void BoxLink::USB_conClick(int n) {
  // Another box chosen while the lost one is awaited ends that session, as
  // "Disconnect..." does.
  if (WaitingForBox()) {
    DisconnectBox();
    ShowDisconnectedMenu();
    ShowDisconnectedStatus();
  }
  // The action has already toggled itself; what counts is the state before.
  if (checkedItem_ == 0) {
    ConnectBox(n);
    CheckBoxItem(n);
  }
  ApplyCheckedItem();
}

void BoxLink::ShutDown() {
  EndWaiting();
  StopReader();
  idleTimers_.Release();
  Wait(ReaderStopWaitMs);
  peers_.Core.CloseRecordFile();
  Wait(RecordCloseWaitMs);
  EndReaders();
  CloseBoxDevice();
}

int BoxLink::LiveReaderCount() const {
  const auto live = [](const std::unique_ptr<TRead>& reader) { return reader && !reader->isFinished(); };
  return static_cast<int>(std::count_if(stoppedReaders_.begin(), stoppedReaders_.end(), live)) +
         (live(readerThread_) ? 1 : 0);
}

void BoxLink::DeliverReceivedBytes(std::span<const std::uint8_t> bytes) {
  if (endingReaders_) return;
  StreamBuffer chunk;
  FillStreamBuffer(chunk, bytes);
  peers_.Consumer.OnBytesReceived(chunk);
  // Only reports of the running reader keep the screen awake; a stopped
  // reader's last report comes after the release.
  if (readerThread_) idleTimers_.ResetIdleTimers();
}

void BoxLink::StartReader() {
  if (readerThread_) return;
  ReaderHost& host = *this;
  readerThread_ = std::make_unique<TRead>(transport_, deliveryContext_, host);
  connect(readerThread_.get(), &QThread::finished, this, &BoxLink::ReleaseEndedReaders, Qt::QueuedConnection);
  readerThread_->start();
}

void BoxLink::StopReader() {
  if (!readerThread_) return;
  readerThread_->requestInterruption();
  stoppedReaders_.push_back(std::move(readerThread_));
  ReleaseEndedReaders();
}

void BoxLink::ReleaseEndedReaders() {
  std::erase_if(stoppedReaders_, [](const std::unique_ptr<TRead>& reader) { return reader->isFinished(); });
}

void BoxLink::CloseBoxDevice() {
  peers_.Commands.DetachWriter();
  transport_.CloseBoxDevice();
}

void BoxLink::ShowBoxOpenMenu() {
  menu_.USB_con_Update1->setEnabled(false);
  menu_.USB_disconnect1->setText("Disconnect...");
  menu_.EnableBoxItems(false);
}

void BoxLink::CheckBoxItem(int n) {
  checkedItem_ = n;
  menu_.BoxItem(n)->setEnabled(true);
  ApplyCheckedItem();
}

void BoxLink::ShowDisconnectedStatus() {
  peers_.Status.ShowStatus(StatusPanel::Connection, DisconnectedText);
  peers_.Status.ShowStatus(StatusPanel::Strokes, "");
  peers_.Status.ShowStatus(StatusPanel::Weight, "");
  peers_.Status.ShowStatus(StatusPanel::FileOrHint, "");
}

void BoxLink::ShowDisconnectedMenu() {
  checkedItem_ = 0;
  ApplyCheckedItem();
  menu_.USB_disconnect1->setText("Disconnected");
  menu_.USB_con_Update1->setEnabled(true);
}

void BoxLink::EndReaders() {
  // A reader may be waiting for the main thread to take a report; it is
  // answered here, with the report dropped, until it has ended.
  endingReaders_ = true;
  for (const std::unique_ptr<TRead>& reader : stoppedReaders_) {
    while (!reader->wait(5)) QCoreApplication::sendPostedEvents(&deliveryContext_, QEvent::MetaCall);
  }
  stoppedReaders_.clear();
  endingReaders_ = false;
}

}  // namespace veltrasko

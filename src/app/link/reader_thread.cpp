// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/reader_thread.h"

namespace veltrasko {
namespace {

constexpr unsigned long IdlePollMs = 10;

}  // namespace

TRead::TRead(BoxTransport& transport, QObject& mainThreadContext, ReaderHost& host)
    : transport_(transport), mainThreadContext_(mainThreadContext), host_(host) {}

void TRead::run() {
  do {
    receiveCount_ = ReadBoxReport();
    if (receiveCount_ != 0) {
      const std::span<const std::uint8_t> bytes(receiveBuffer_.data(), static_cast<std::size_t>(receiveCount_));
      QMetaObject::invokeMethod(
          &mainThreadContext_, [this, bytes] { host_.DeliverReceivedBytes(bytes); }, Qt::BlockingQueuedConnection);
    } else {
      msleep(IdlePollMs);
    }
  } while (!isInterruptionRequested());
}

std::int16_t TRead::ReadBoxReport() {
  const int count = transport_.ReadInputReport(receiveBuffer_);
  if (count >= 0) return static_cast<std::int16_t>(count);
  // The box is gone. The main thread disconnects and closes the device while
  // this thread waits here, so the device is never closed under a read.
  QMetaObject::invokeMethod(
      &mainThreadContext_, [this] { host_.BoxLost(); }, Qt::BlockingQueuedConnection);
  return 0;
}

}  // namespace veltrasko

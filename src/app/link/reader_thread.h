// SPDX-License-Identifier: GPL-3.0-or-later
// The reader thread (TRead): polls the open box for input reports and hands
// each one to the main thread, waiting until it has been taken, so reports
// are processed one at a time and in order.
#pragma once

#include <QThread>
#include <array>
#include <cstdint>
#include <span>

#include "link/box_transport.h"

namespace veltrasko {

// What the reader asks of the main thread; both run there, the reader
// waiting until they return.
class ReaderHost {
 public:
  virtual void DeliverReceivedBytes(std::span<const std::uint8_t> bytes) = 0;
  virtual void BoxLost() = 0;

 protected:
  ~ReaderHost() = default;
};

inline constexpr std::size_t ReceiveBufferLength = 200;

// Owned by the box link, which asks it to stop, waits until it has ended and
// only then destroys it.
class TRead final : public QThread {
 public:
  // mainThreadContext: an object of the main thread through which the calls
  // to host are made.
  TRead(BoxTransport& transport, QObject& mainThreadContext, ReaderHost& host);

 protected:
  void run() override;

 private:
  std::int16_t ReadBoxReport();

  BoxTransport& transport_;
  QObject& mainThreadContext_;
  ReaderHost& host_;
  std::array<std::uint8_t, ReceiveBufferLength> receiveBuffer_{};
  std::int16_t receiveCount_ = 0;
};

}  // namespace veltrasko

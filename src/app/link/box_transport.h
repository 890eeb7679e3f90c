// SPDX-License-Identifier: GPL-3.0-or-later
// The open box (BoxDevice): opening and closing it on the main thread,
// reading its input reports on the reader thread and writing the commands'
// output reports from the main thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "protocol/box_commands.h"

// hidapi's device handle: hidapi itself is included by sources only.
struct hid_device_;

namespace veltrasko {

class BoxTransport final : public ReportWriter {
 public:
  BoxTransport() = default;
  BoxTransport(const BoxTransport&) = delete;
  BoxTransport& operator=(const BoxTransport&) = delete;
  ~BoxTransport() { CloseBoxDevice(); }

  // The first attached box with our ids and exactly this serial-number text,
  // put into non-blocking read mode; false when there is none.
  bool OpenBoxDevice(const wchar_t* serialNumber);
  void CloseBoxDevice();
  bool IsOpen() const { return boxDevice_.load() != nullptr; }

  // One non-blocking read into buffer: the byte count, 0 when nothing is
  // waiting or no box is open, -1 when the read failed.
  int ReadInputReport(std::span<std::uint8_t> buffer);

  // One hid_write; a failure is not reported, as commands are fire-and-forget.
  void WriteReport(std::span<const std::uint8_t> report) override;

 private:
  // Opened and closed on the main thread only while no read is under way;
  // atomic because the reader looks at it on every pass.
  std::atomic<hid_device_*> boxDevice_{nullptr};
};

}  // namespace veltrasko

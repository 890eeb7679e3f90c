// SPDX-License-Identifier: GPL-3.0-or-later
// The program's commands to the box (connect, disconnect, reset): one
// status-layout message behind the status tag, queued into an output report
// and handed to whatever writes reports to the open box.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "protocol/box_messages.h"

namespace veltrasko {

// A command shares the layout of the box's status message: byte 22 is the
// kind, bytes 23-24 the checksum.
using BoxCommand = StatusMessage;

inline constexpr std::uint8_t KindConnect = 11;
inline constexpr std::uint8_t KindDisconnect = 23;
inline constexpr std::uint8_t KindReset = 24;

// The tag in front of every command, FF FF FF FB on the wire.
inline constexpr std::uint32_t CommandTag = 0xFBFFFFFF;

inline constexpr std::size_t CommandReportCapacity = 200;
// The box's output report: the report ID and 64 bytes.
inline constexpr std::size_t BoxOutputReportLength = 65;

// The 16-bit sum of all bytes of the message but its last two.
std::uint16_t CommandChecksum(std::span<const std::uint8_t> message);

// A zero-payload command of the given kind with its checksum.
BoxCommand MakeBoxCommand(std::uint8_t kind);

// Writes one output report to the open box; a failed write is the writer's
// to ignore, commands are fire-and-forget.
class ReportWriter {
 public:
  virtual void WriteReport(std::span<const std::uint8_t> report) = 0;

 protected:
  ~ReportWriter() = default;
};

class BoxCommandSender {
 public:
  // With no writer attached there is no open box and commands are dropped.
  void AttachWriter(ReportWriter& writer) { writer_ = &writer; }
  void DetachWriter() { writer_ = nullptr; }

  // All bytes zero and nothing queued; done whenever a box has been opened.
  void EmptyCommandReport();

  void QueueCommandByte(std::uint8_t b);
  void SendCommandReport();
  void SendBoxCommand(std::span<const std::uint8_t> message, std::uint32_t tag);

  void SendConnectRequest() { SendCommand(KindConnect); }
  void SendDisconnectCommand() { SendCommand(KindDisconnect); }
  void SendResetCommand() { SendCommand(KindReset); }

  std::span<const std::uint8_t> CommandReport() const { return commandReport_; }
  std::int16_t CommandReportFill() const { return commandReportFill_; }

 private:
  void SendCommand(std::uint8_t kind);

  ReportWriter* writer_ = nullptr;
  std::array<std::uint8_t, CommandReportCapacity> commandReport_{};
  std::int16_t commandReportFill_ = 1;  // byte 0 is the report ID
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_commands.h"

#include <algorithm>

namespace veltrasko {

std::uint16_t CommandChecksum(std::span<const std::uint8_t> message) {
  if (message.size() < 2) return 0;
  return ByteSum(message.first(message.size() - 2));
}

BoxCommand MakeBoxCommand(std::uint8_t kind) {
  BoxCommand command;
  command.Bytes[22] = kind;
  WriteU16(command.Bytes, 23, CommandChecksum(command.Bytes));
  return command;
}

void BoxCommandSender::EmptyCommandReport() {
  commandReport_.fill(0);
  commandReportFill_ = 1;
}

void BoxCommandSender::QueueCommandByte(std::uint8_t b) {
  if (writer_ == nullptr) return;
  if (commandReportFill_ >= static_cast<std::int16_t>(CommandReportCapacity)) return;
  commandReport_[static_cast<std::size_t>(commandReportFill_)] = b;
  ++commandReportFill_;
}

void BoxCommandSender::SendCommandReport() {
  if (writer_ == nullptr || commandReportFill_ < 2) return;
  commandReport_[0] = 0;
  // The rest of the buffer is zero, so the report leaves zero-filled to the
  // box's report length; an overfull queue goes out whole rather than cut.
  const auto length = std::max(BoxOutputReportLength, static_cast<std::size_t>(commandReportFill_));
  writer_->WriteReport(std::span<const std::uint8_t>(commandReport_).first(length));
  EmptyCommandReport();
}

void BoxCommandSender::SendBoxCommand(std::span<const std::uint8_t> message, std::uint32_t tag) {
  for (int shift = 0; shift < 32; shift += 8) QueueCommandByte(static_cast<std::uint8_t>(tag >> shift));
  for (std::uint8_t b : message) QueueCommandByte(b);
  SendCommandReport();
}

void BoxCommandSender::SendCommand(std::uint8_t kind) { SendBoxCommand(MakeBoxCommand(kind).Bytes, CommandTag); }

}  // namespace veltrasko

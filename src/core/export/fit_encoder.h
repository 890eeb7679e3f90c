// SPDX-License-Identifier: GPL-3.0-or-later
// The FIT protocol's byte layer: a file of definition and data messages
// behind the 14-byte file header, closed by the file CRC. It knows the
// protocol, not the profile: which messages and fields an activity holds is
// the activity writer's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace veltrasko {

// The base types the activity uses, as a definition message names them.
enum class FitBaseType : std::uint8_t {
  Enum = 0x00,
  UInt8 = 0x02,
  String = 0x07,
  UInt16 = 0x84,
  UInt32 = 0x86,
  UInt32z = 0x8C,
};

// What a field holds when it has no value; decoders leave such fields out.
inline constexpr std::uint8_t FitInvalidU8 = 0xFF;
inline constexpr std::uint16_t FitInvalidU16 = 0xFFFF;
inline constexpr std::uint32_t FitInvalidU32 = 0xFFFFFFFF;

struct FitField {
  std::uint8_t Number;
  std::uint8_t Size;  // bytes
  FitBaseType Type;
};

// The protocol's CRC-16, continued from crc over bytes.
std::uint16_t FitCrc(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0);

class FitEncoder {
 public:
  // expectedBytes: room reserved up front, so a long file is not copied while it grows.
  explicit FitEncoder(std::size_t expectedBytes = 0);

  // Binds a local message type to a global message and its fields, in the
  // order the values of its data messages follow.
  void Define(std::uint8_t localType, std::uint16_t globalNumber, std::span<const FitField> fields);
  // Starts a data message of a defined local type; its values follow.
  void Begin(std::uint8_t localType);
  void PutU8(std::uint8_t value) { bytes_.push_back(value); }
  void PutU16(std::uint16_t value);
  void PutU32(std::uint32_t value);
  // UTF-8 text in a field of size bytes, cut to leave room for its terminator.
  void PutText(std::string_view text, std::size_t size);

  // The whole file: header with data size and CRC, the messages, the file CRC.
  std::vector<std::uint8_t> Finish() &&;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace veltrasko

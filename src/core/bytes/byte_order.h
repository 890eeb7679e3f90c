// SPDX-License-Identifier: GPL-3.0-or-later
// Little-endian field access, for the box's messages, the frames in a record
// file and the settings file, and the byte-sum checksum of messages and frames.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace veltrasko {

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::int16_t ReadI16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::int16_t>(ReadU16(bytes, offset));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline float ReadF32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return std::bit_cast<float>(ReadU32(bytes, offset));
}

inline void WriteU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void WriteF32(std::span<std::uint8_t> bytes, std::size_t offset, float value) {
  WriteU32(bytes, offset, std::bit_cast<std::uint32_t>(value));
}

// The 16-bit wrapping sum of unsigned bytes: the checksum of every box message.
inline std::uint16_t ByteSum(std::span<const std::uint8_t> bytes) {
  std::uint16_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint16_t>(sum + b);
  return sum;
}

}  // namespace veltrasko

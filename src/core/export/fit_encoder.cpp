// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/fit_encoder.h"

#include <algorithm>
#include <array>

#include "bytes/byte_order.h"

namespace veltrasko {
namespace {

constexpr std::size_t HeaderSize = 14;
constexpr std::uint8_t ProtocolVersion = 0x20;   // 2.0
constexpr std::uint16_t ProfileVersion = 21222;  // 21.222, as major * 1000 + minor
constexpr std::uint8_t DefinitionFlag = 0x40;
constexpr std::uint8_t LocalTypeMask = 0x0F;
constexpr std::uint8_t LittleEndian = 0;

constexpr std::array<std::uint16_t, 16> CrcTable{0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                                 0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};

// One nibble at a time, low nibble first, as the protocol defines it.
std::uint16_t CrcNibble(std::uint16_t crc, std::uint8_t nibble) {
  const std::uint16_t low = CrcTable[crc & 0xF];
  crc = static_cast<std::uint16_t>((crc >> 4) & 0x0FFF);
  return static_cast<std::uint16_t>(crc ^ low ^ CrcTable[nibble & 0xF]);
}

}  // namespace

std::uint16_t FitCrc(std::span<const std::uint8_t> bytes, std::uint16_t crc) {
  for (const std::uint8_t b : bytes) crc = CrcNibble(CrcNibble(crc, b), static_cast<std::uint8_t>(b >> 4));
  return crc;
}

FitEncoder::FitEncoder(std::size_t expectedBytes) {
  bytes_.reserve(HeaderSize + expectedBytes + 2);
  bytes_.resize(HeaderSize);
}

void FitEncoder::Define(std::uint8_t localType, std::uint16_t globalNumber, std::span<const FitField> fields) {
  bytes_.push_back(static_cast<std::uint8_t>(DefinitionFlag | (localType & LocalTypeMask)));
  bytes_.push_back(0);  // reserved
  bytes_.push_back(LittleEndian);
  PutU16(globalNumber);
  bytes_.push_back(static_cast<std::uint8_t>(fields.size()));
  for (const FitField& field : fields) {
    bytes_.push_back(field.Number);
    bytes_.push_back(field.Size);
    bytes_.push_back(static_cast<std::uint8_t>(field.Type));
  }
}

void FitEncoder::Begin(std::uint8_t localType) { bytes_.push_back(localType & LocalTypeMask); }

void FitEncoder::PutU16(std::uint16_t value) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + 2);
  WriteU16(bytes_, at, value);
}

void FitEncoder::PutU32(std::uint32_t value) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + 4);
  WriteU32(bytes_, at, value);
}

void FitEncoder::PutText(std::string_view text, std::size_t size) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + size, 0);
  const std::size_t kept = std::min(text.size(), size - 1);
  std::copy_n(text.begin(), kept, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<std::uint8_t> FitEncoder::Finish() && {
  const std::span<std::uint8_t> header(bytes_.data(), HeaderSize);
  header[0] = HeaderSize;
  header[1] = ProtocolVersion;
  WriteU16(header, 2, ProfileVersion);
  WriteU32(header, 4, static_cast<std::uint32_t>(bytes_.size() - HeaderSize));
  std::copy_n(".FIT", 4, header.begin() + 8);
  WriteU16(header, 12, FitCrc(header.first(12)));
  const std::uint16_t fileCrc = FitCrc(bytes_);
  PutU16(fileCrc);
  return std::move(bytes_);
}

}  // namespace veltrasko

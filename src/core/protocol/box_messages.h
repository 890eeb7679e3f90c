// SPDX-License-Identifier: GPL-3.0-or-later
// The payloads the box sends (stroke, session start, status), kept as the raw
// bytes that arrived so that record files store them unchanged; fields are
// decoded on access with explicit little-endian reads.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "bytes/byte_order.h"
#include "settings/personal_data.h"

namespace veltrasko {

inline constexpr std::size_t StrokePayloadLength = 34;
inline constexpr std::size_t SessionStartPayloadLength = 6;
inline constexpr std::size_t StatusPayloadLength = 25;

// Status message kind of the box's connection confirmation.
inline constexpr std::uint8_t KindConnectionStatus = 13;

struct StrokeMessage {
  std::array<std::uint8_t, StrokePayloadLength> Bytes{};

  std::uint8_t Side() const { return Bytes[0]; }
  std::uint16_t StrokeNumber() const { return ReadU16(Bytes, 1); }
  std::uint32_t ClockTicks() const { return ReadU32(Bytes, 3); }
  std::uint32_t PaddleTicks() const { return ReadU32(Bytes, 11); }
  std::uint32_t WaterTicks() const { return ReadU32(Bytes, 15); }
  float WorkUnits() const { return ReadF32(Bytes, 23); }
  float TotalDistance() const { return ReadF32(Bytes, 27); }
  std::uint8_t HeartRateValue() const { return Bytes[31]; }
  std::uint16_t StrokeChecksum() const { return ReadU16(Bytes, 32); }

  bool operator==(const StrokeMessage&) const = default;
};

struct SessionStartMessage {
  std::array<std::uint8_t, SessionStartPayloadLength> Bytes{};

  std::int16_t BoxVersion() const { return ReadI16(Bytes, 0); }
  std::int16_t Weight() const { return ReadI16(Bytes, 2); }
  std::uint16_t StartChecksum() const { return ReadU16(Bytes, 4); }

  bool operator==(const SessionStartMessage&) const = default;
};

struct StatusMessage {
  std::array<std::uint8_t, StatusPayloadLength> Bytes{};

  std::uint8_t StatusFlag() const { return Bytes[21]; }
  std::uint8_t MessageKind() const { return Bytes[22]; }
  std::uint16_t StatusChecksum() const { return ReadU16(Bytes, 23); }

  bool operator==(const StatusMessage&) const = default;
};

// Decoders: copy the payload that starts at the first byte after the tag, then
// verify. 0 when the checksum holds, 1 when not (the bytes stay copied). A
// payload shorter than the message is refused (1, or nothing copied) rather
// than read past its end.
int DecodeStroke(std::span<const std::uint8_t> payload, StrokeMessage& out);
int DecodeSessionStart(std::span<const std::uint8_t> payload, SessionStartMessage& out);
void DecodePersonalData(std::span<const std::uint8_t> payload, PersonalData& out);
void DecodeStatus(std::span<const std::uint8_t> payload, StatusMessage& out);

void CopyStrokeMessage(StrokeMessage& destination, const StrokeMessage& source);
void ClearStrokeMessage(StrokeMessage& message);

// The counters a stroke message carries; what the box (and our simulators)
// put into one. The uninterpreted bytes 7-10 and 19-22 are carried as given.
struct StrokeCounters {
  std::uint8_t Side = 0;
  std::uint16_t StrokeNumber = 0;
  std::uint32_t ClockTicks = 0;
  std::uint32_t PaddleTicks = 0;
  std::uint32_t WaterTicks = 0;
  float WorkUnits = 0.0f;
  float TotalDistance = 0.0f;
  std::uint8_t HeartRateValue = 0;
  std::array<std::uint8_t, 4> Reserved7{};
  std::array<std::uint8_t, 4> Reserved19{};
};

// Encode with a correct checksum.
StrokeMessage EncodeStroke(const StrokeCounters& counters);
SessionStartMessage EncodeSessionStart(std::int16_t boxVersion, std::int16_t weight);
StatusMessage EncodeStatus(std::uint8_t kind, std::uint8_t flag);

}  // namespace veltrasko

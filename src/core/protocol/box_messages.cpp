// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_messages.h"

#include <algorithm>

namespace veltrasko {

namespace {

// Copies the first out.size() bytes of payload; false (out untouched) when
// the payload is too short to hold them.
template <std::size_t N>
bool CopyPayload(std::span<const std::uint8_t> payload, std::array<std::uint8_t, N>& out) {
  if (payload.size() < N) return false;
  std::copy_n(payload.begin(), N, out.begin());
  return true;
}

// The checksum of a message sits in its last two bytes and covers all before.
template <std::size_t N>
bool ChecksumHolds(const std::array<std::uint8_t, N>& bytes) {
  const std::span<const std::uint8_t> all(bytes);
  return ByteSum(all.first(N - 2)) == ReadU16(all, N - 2);
}

template <std::size_t N>
void StoreChecksum(std::array<std::uint8_t, N>& bytes) {
  const std::span<std::uint8_t> all(bytes);
  WriteU16(all, N - 2, ByteSum(all.first(N - 2)));
}

}  // namespace

int DecodeStroke(std::span<const std::uint8_t> payload, StrokeMessage& out) {
  if (!CopyPayload(payload, out.Bytes)) return 1;
  return ChecksumHolds(out.Bytes) ? 0 : 1;
}

int DecodeSessionStart(std::span<const std::uint8_t> payload, SessionStartMessage& out) {
  if (!CopyPayload(payload, out.Bytes)) return 1;
  return ChecksumHolds(out.Bytes) ? 0 : 1;
}

void DecodePersonalData(std::span<const std::uint8_t> payload, PersonalData& out) { CopyPayload(payload, out.Bytes); }

void DecodeStatus(std::span<const std::uint8_t> payload, StatusMessage& out) { CopyPayload(payload, out.Bytes); }

void CopyStrokeMessage(StrokeMessage& destination, const StrokeMessage& source) { destination.Bytes = source.Bytes; }

void ClearStrokeMessage(StrokeMessage& message) { message.Bytes.fill(0); }

StrokeMessage EncodeStroke(const StrokeCounters& counters) {
  StrokeMessage message;
  const std::span<std::uint8_t> bytes(message.Bytes);
  bytes[0] = counters.Side;
  WriteU16(bytes, 1, counters.StrokeNumber);
  WriteU32(bytes, 3, counters.ClockTicks);
  std::copy(counters.Reserved7.begin(), counters.Reserved7.end(), bytes.begin() + 7);
  WriteU32(bytes, 11, counters.PaddleTicks);
  WriteU32(bytes, 15, counters.WaterTicks);
  std::copy(counters.Reserved19.begin(), counters.Reserved19.end(), bytes.begin() + 19);
  WriteF32(bytes, 23, counters.WorkUnits);
  WriteF32(bytes, 27, counters.TotalDistance);
  bytes[31] = counters.HeartRateValue;
  StoreChecksum(message.Bytes);
  return message;
}

SessionStartMessage EncodeSessionStart(std::int16_t boxVersion, std::int16_t weight) {
  SessionStartMessage message;
  WriteU16(message.Bytes, 0, static_cast<std::uint16_t>(boxVersion));
  WriteU16(message.Bytes, 2, static_cast<std::uint16_t>(weight));
  StoreChecksum(message.Bytes);
  return message;
}

StatusMessage EncodeStatus(std::uint8_t kind, std::uint8_t flag) {
  StatusMessage message;
  message.Bytes[21] = flag;
  message.Bytes[22] = kind;
  StoreChecksum(message.Bytes);
  return message;
}

}  // namespace veltrasko

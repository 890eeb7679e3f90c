// SPDX-License-Identifier: GPL-3.0-or-later
// Cuts the box's byte stream (and record file blocks) into frames: finds the
// 4-byte tag, waits for the whole payload, verifies checksums and hands out at
// most one frame per call. Bytes left over wait in PendingBytes for the next call.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "protocol/box_messages.h"
#include "settings/personal_data.h"

namespace veltrasko {

inline constexpr std::size_t StreamBufferCapacity = 5000;
inline constexpr std::size_t PendingBytesCapacity = 1016;

struct StreamBuffer {
  std::int16_t length = 0;
  std::array<std::uint8_t, StreamBufferCapacity> data{};
};

// Replaces the buffer's content with the given bytes; bytes beyond the
// buffer's capacity are not taken.
void FillStreamBuffer(StreamBuffer& buffer, std::span<const std::uint8_t> bytes);

using FrameTag = std::array<std::uint8_t, 4>;
inline constexpr FrameTag StrokeTag{0xFF, 0xFF, 0xFF, 0xFF};
inline constexpr FrameTag SessionStartTag{0xFF, 0xFF, 0xFF, 0xFE};
inline constexpr FrameTag PersonalDataTag{0xFF, 0xFF, 0xFF, 0xFD};
inline constexpr FrameTag StatusTag{0xFF, 0xFF, 0xFF, 0xFB};

struct FrameLengthTable {
  std::int16_t Tag = 4;
  std::int16_t StrokePayload = 34;
  std::int16_t StrokeFrame = 38;
  std::int16_t SessionStartPayload = 6;
  std::int16_t SessionStartFrame = 10;
  std::int16_t PersonalDataPayload = 54;
  std::int16_t PersonalDataFrame = 58;
  std::int16_t StatusPayload = 25;
  std::int16_t StatusFrame = 29;
};
inline constexpr FrameLengthTable FrameLengths{};

enum ScanResult : std::int16_t {
  ScanStroke = 0,
  ScanNothing = 1,
  ScanBadStroke = 2,
  ScanIncomplete = 3,
  ScanSessionStart = 4,
  ScanBadSessionStart = 5,
  ScanSessionStartIncomplete = 6,
  ScanPersonalData = 7,
  ScanStatus = 8,
};

// True when the scan took a frame (good or damaged) off the stream, so that
// another scan may find the next one in the bytes already held.
inline bool FrameTaken(ScanResult result) {
  return result != ScanNothing && result != ScanIncomplete && result != ScanSessionStartIncomplete;
}

// Decide which frames the scanner accepts; all zero at program start.
struct LinkFlags {
  std::uint8_t ConnectionState = 0;
  std::uint8_t SessionStartSeen = 0;
  std::uint8_t ReadingFile = 0;
};

// Told when the box confirms the connection (a status message of kind 13).
class ConnectionListener {
 public:
  virtual void OnConnected() = 0;

 protected:
  ~ConnectionListener() = default;
};

class FrameScanner {
 public:
  // The listener may be null until the connection handshake exists.
  explicit FrameScanner(ConnectionListener* listener = nullptr) : listener_(listener) {}
  void SetConnectionListener(ConnectionListener* listener) { listener_ = listener; }

  // Scans PendingBytes followed by input; input is empty on return.
  ScanResult ScanFrame(StreamBuffer& input, int start, StrokeMessage& strokeOut, PersonalData& personalOut,
                       SessionStartMessage& startOut);

  LinkFlags& Flags() { return flags_; }
  const LinkFlags& Flags() const { return flags_; }
  const StatusMessage& LastStatusMessage() const { return lastStatus_; }
  std::span<const std::uint8_t> PendingBytes() const {
    return {pending_.data(), static_cast<std::size_t>(pendingLength_)};
  }

 private:
  // Puts PendingBytes followed by input's bytes into input.
  void TakeInput(StreamBuffer& input);
  // Carries input's bytes from position on to the next scan; empties input.
  void KeepFrom(StreamBuffer& input, int position);

  ConnectionListener* listener_;
  LinkFlags flags_;
  StatusMessage lastStatus_;
  std::int16_t pendingLength_ = 0;
  std::array<std::uint8_t, PendingBytesCapacity> pending_{};
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/frame_scanner.h"

#include <algorithm>
#include <cstring>

namespace veltrasko {

namespace {

enum class FrameKind { None, Stroke, SessionStart, PersonalData, Status };

bool TagAt(const StreamBuffer& input, int position, const FrameTag& tag) {
  return std::equal(tag.begin(), tag.end(), input.data.begin() + position);
}

// A length outside the buffer means a caller fault; treat it as the nearest
// valid length instead of reading or writing out of bounds.
int ValidLength(const StreamBuffer& buffer) {
  return std::clamp<int>(buffer.length, 0, static_cast<int>(StreamBufferCapacity));
}

}  // namespace

void FillStreamBuffer(StreamBuffer& buffer, std::span<const std::uint8_t> bytes) {
  const std::size_t count = std::min(bytes.size(), StreamBufferCapacity);
  std::copy_n(bytes.begin(), count, buffer.data.begin());
  buffer.length = static_cast<std::int16_t>(count);
}

void FrameScanner::TakeInput(StreamBuffer& input) {
  const std::size_t inputLength = static_cast<std::size_t>(ValidLength(input));
  const std::uint8_t* newBytes = input.data.data();
  std::size_t newCount = inputLength;
  std::size_t keptCount = static_cast<std::size_t>(pendingLength_);

  // When the carried bytes and the chunk do not fit together, the oldest go:
  // the newest bytes are the ones the box is still sending frames in, and the
  // scan resynchronises on the next tag.
  if (newCount >= PendingBytesCapacity) {
    newBytes += newCount - PendingBytesCapacity;
    newCount = PendingBytesCapacity;
    keptCount = 0;
  } else if (keptCount + newCount > PendingBytesCapacity) {
    const std::size_t dropped = keptCount + newCount - PendingBytesCapacity;
    std::memmove(pending_.data(), pending_.data() + dropped, keptCount - dropped);
    keptCount -= dropped;
  }
  std::copy_n(newBytes, newCount, pending_.begin() + keptCount);
  const std::size_t total = keptCount + newCount;

  std::copy_n(pending_.begin(), total, input.data.begin());
  input.length = static_cast<std::int16_t>(total);
}

void FrameScanner::KeepFrom(StreamBuffer& input, int position) {
  const int length = input.length;
  if (position > length) position = length - 1;
  if (position < 0) position = 0;
  const int kept = length - position;
  std::copy_n(input.data.begin() + position, kept, pending_.begin());
  pendingLength_ = static_cast<std::int16_t>(kept);
  input.length = 0;
}

ScanResult FrameScanner::ScanFrame(StreamBuffer& input, int start, StrokeMessage& strokeOut, PersonalData& personalOut,
                                   SessionStartMessage& startOut) {
  TakeInput(input);

  const bool strokesAccepted = flags_.SessionStartSeen == 1 || flags_.ReadingFile == 1;
  const bool sessionStartsAccepted = flags_.ConnectionState == 1 || flags_.ReadingFile == 1;

  const int last = input.length - FrameLengths.Tag;
  int p = std::max(start, 0);
  FrameKind hit = FrameKind::None;
  for (; p <= last; ++p) {
    if (strokesAccepted && TagAt(input, p, StrokeTag)) {
      hit = FrameKind::Stroke;
    } else if (sessionStartsAccepted && TagAt(input, p, SessionStartTag)) {
      hit = FrameKind::SessionStart;
    } else if (TagAt(input, p, PersonalDataTag)) {
      hit = FrameKind::PersonalData;
    } else if (TagAt(input, p, StatusTag)) {
      hit = FrameKind::Status;
    }
    if (hit != FrameKind::None) break;
  }

  const int after = last - p;
  const std::span<const std::uint8_t> payload =
      hit == FrameKind::None
          ? std::span<const std::uint8_t>{}
          : std::span<const std::uint8_t>(input.data)
                .subspan(static_cast<std::size_t>(p + FrameLengths.Tag), static_cast<std::size_t>(after));

  switch (hit) {
    case FrameKind::Status:
      if (after < FrameLengths.StatusPayload) break;
      DecodeStatus(payload, lastStatus_);
      KeepFrom(input, p + FrameLengths.StatusFrame);
      if (lastStatus_.MessageKind() == KindConnectionStatus) {
        if (lastStatus_.StatusFlag() == 1) flags_.ConnectionState = 1;
        if (listener_ != nullptr) listener_->OnConnected();
      }
      return ScanStatus;

    case FrameKind::PersonalData:
      if (after < FrameLengths.PersonalDataPayload) break;
      DecodePersonalData(payload, personalOut);
      KeepFrom(input, p + FrameLengths.PersonalDataFrame);
      return ScanPersonalData;

    case FrameKind::Stroke:
      if (after < FrameLengths.StrokePayload) break;
      if (DecodeStroke(payload, strokeOut) == 0) {
        KeepFrom(input, p + FrameLengths.StrokeFrame);
        return ScanStroke;
      }
      KeepFrom(input, p + 1);
      return ScanBadStroke;

    case FrameKind::SessionStart:
      if (after < FrameLengths.SessionStartPayload) {
        KeepFrom(input, p);
        return ScanSessionStartIncomplete;
      }
      if (DecodeSessionStart(payload, startOut) == 0) {
        flags_.SessionStartSeen = 1;
        KeepFrom(input, p + FrameLengths.SessionStartFrame);
        return ScanSessionStart;
      }
      KeepFrom(input, p + 1);
      return ScanBadSessionStart;

    case FrameKind::None: KeepFrom(input, p); return ScanNothing;
  }

  // A stroke, personal-data or status tag whose payload has not fully arrived.
  KeepFrom(input, p);
  return ScanIncomplete;
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the input to a frame scanner in chunks, as the live side hands over
// input reports, and checks that every frame handed out really was in the
// stream and that the carried bytes stay within their buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/fuzz_temp_file.h"
#include "protocol/frame_scanner.h"

namespace {

using namespace veltrasko;

class CountingListener final : public ConnectionListener {
 public:
  void OnConnected() override { ++calls; }
  int calls = 0;
};

// Chunk sizes follow from the input's first byte: mostly report-sized pieces,
// now and then one larger than the carry buffer or the stream buffer.
class ChunkSizes {
 public:
  explicit ChunkSizes(std::uint8_t seed) : state_(seed * 2654435761u + 1u) {}
  std::size_t Next() {
    state_ = state_ * 1103515245u + 12345u;
    const std::uint32_t bits = state_ >> 8;
    if (bits % 16 == 0) return 900 + bits % 5200;
    return 1 + bits % 80;
  }

 private:
  std::uint32_t state_;
};

bool EndsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> tail) {
  return bytes.size() >= tail.size() && std::equal(tail.begin(), tail.end(), bytes.end() - tail.size());
}

// The bytes carried over are always the newest bytes of the stream; a frame
// taken whole lies right before them: tag, then payload.
bool TakenRightBefore(std::span<const std::uint8_t> fed, std::size_t carried, const FrameTag& tag,
                      std::span<const std::uint8_t> payload) {
  const std::size_t frameLength = tag.size() + payload.size();
  if (fed.size() < carried + frameLength) return false;
  const std::span<const std::uint8_t> frame = fed.subspan(fed.size() - carried - frameLength, frameLength);
  return std::equal(tag.begin(), tag.end(), frame.begin()) &&
         std::equal(payload.begin(), payload.end(), frame.begin() + tag.size());
}

// A damaged frame gives up only its tag's first byte: the scan goes on right after it.
bool SkippedTagStart(std::span<const std::uint8_t> fed, std::span<const std::uint8_t> carried, const FrameTag& tag) {
  return carried.size() >= tag.size() - 1 && fed.size() > carried.size() &&
         fed[fed.size() - carried.size() - 1] == tag[0] && std::equal(tag.begin() + 1, tag.end(), carried.begin());
}

bool StartsWithTag(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < StrokeTag.size()) return false;
  for (const FrameTag* tag : {&StrokeTag, &SessionStartTag, &PersonalDataTag, &StatusTag})
    if (std::equal(tag->begin(), tag->end(), bytes.begin())) return true;
  return false;
}

std::size_t FrameLengthOf(std::span<const std::uint8_t> bytes) {
  switch (bytes[3]) {
    case 0xFF: return static_cast<std::size_t>(FrameLengths.StrokeFrame);
    case 0xFE: return static_cast<std::size_t>(FrameLengths.SessionStartFrame);
    case 0xFD: return static_cast<std::size_t>(FrameLengths.PersonalDataFrame);
    default: return static_cast<std::size_t>(FrameLengths.StatusFrame);
  }
}

bool StrokeSumHolds(const StrokeMessage& stroke) {
  return stroke.StrokeChecksum() == ByteSum(std::span(stroke.Bytes).first(StrokePayloadLength - 2));
}

bool StartSumHolds(const SessionStartMessage& start) {
  return start.StartChecksum() == ByteSum(std::span(start.Bytes).first(SessionStartPayloadLength - 2));
}

// Checks one scan result against the bytes fed so far.
void CheckResult(ScanResult result, const FrameScanner& scanner, std::span<const std::uint8_t> fed,
                 const StrokeMessage& stroke, const PersonalData& personal, const SessionStartMessage& start) {
  const std::span<const std::uint8_t> carried = scanner.PendingBytes();
  Require(carried.size() <= PendingBytesCapacity, "carried bytes exceed their buffer");
  Require(EndsWith(fed, carried), "carried bytes are not the stream's newest");
  switch (result) {
    case ScanStroke:
      Require(StrokeSumHolds(stroke), "stroke with a wrong checksum taken");
      Require(TakenRightBefore(fed, carried.size(), StrokeTag, stroke.Bytes), "stroke frame not in the stream");
      break;
    case ScanBadStroke:
      Require(!StrokeSumHolds(stroke), "good stroke reported damaged");
      Require(SkippedTagStart(fed, carried, StrokeTag), "damaged stroke skipped wrongly");
      break;
    case ScanSessionStart:
      Require(StartSumHolds(start), "session start with a wrong checksum taken");
      Require(scanner.Flags().SessionStartSeen == 1, "session start not noted");
      Require(TakenRightBefore(fed, carried.size(), SessionStartTag, start.Bytes),
              "session-start frame not in the stream");
      break;
    case ScanBadSessionStart:
      Require(!StartSumHolds(start), "good session start reported damaged");
      Require(SkippedTagStart(fed, carried, SessionStartTag), "damaged session start skipped wrongly");
      break;
    case ScanPersonalData:
      Require(TakenRightBefore(fed, carried.size(), PersonalDataTag, personal.Bytes),
              "personal-data frame not in the stream");
      break;
    case ScanStatus:
      Require(TakenRightBefore(fed, carried.size(), StatusTag, scanner.LastStatusMessage().Bytes),
              "status frame not in the stream");
      break;
    case ScanNothing:
      // No tag anywhere: at most a tag's start is kept for the next chunk.
      Require(carried.size() < StrokeTag.size(), "bytes kept without a tag");
      break;
    case ScanIncomplete:
    case ScanSessionStartIncomplete:
      Require(StartsWithTag(carried), "incomplete frame kept without its tag");
      Require(carried.size() < FrameLengthOf(carried), "a whole frame reported incomplete");
      break;
    default: Require(false, "unknown scan result");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  CountingListener listener;
  FrameScanner scanner(&listener);
  scanner.Flags().ConnectionState = data[0] & 1;
  scanner.Flags().ReadingFile = (data[0] >> 1) & 1;
  ChunkSizes sizes(data[0]);

  StreamBuffer chunk;
  StrokeMessage stroke;
  PersonalData personal;
  SessionStartMessage start;
  std::vector<std::uint8_t> fed;
  const std::span<const std::uint8_t> stream(data + 1, size - 1);
  int expectedConnections = 0;

  for (std::size_t offset = 0; offset < stream.size();) {
    const std::span<const std::uint8_t> piece = stream.subspan(offset, std::min(sizes.Next(), stream.size() - offset));
    offset += piece.size();
    FillStreamBuffer(chunk, piece);
    Require(static_cast<std::size_t>(chunk.length) == std::min(piece.size(), StreamBufferCapacity),
            "stream buffer length");
    fed.insert(fed.end(), piece.begin(), piece.begin() + chunk.length);

    // Every frame taken consumes at least one byte, so the scans of one chunk are bounded.
    const std::size_t scanLimit = scanner.PendingBytes().size() + static_cast<std::size_t>(chunk.length) + 1;
    std::size_t scans = 0;
    ScanResult result;
    do {
      result = scanner.ScanFrame(chunk, 0, stroke, personal, start);
      Require(chunk.length == 0, "input not emptied");
      CheckResult(result, scanner, fed, stroke, personal, start);
      if (result == ScanStatus && scanner.LastStatusMessage().MessageKind() == KindConnectionStatus)
        ++expectedConnections;
      Require(++scans <= scanLimit, "scanner keeps taking frames from nothing");
    } while (FrameTaken(result));
    Require(listener.calls == expectedConnections, "connection confirmed without its status frame");
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/frame_scanner.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "frame_bytes.h"

namespace veltrasko {
namespace {

using frames::Append;
using frames::Bytes;
using frames::Frame;
using frames::PayloadOf;
using frames::SampleStroke;
using frames::StrokeFrame;

class CountingListener : public ConnectionListener {
 public:
  void OnConnected() override {
    ++Calls;
    if (Confirms != nullptr) Confirms->Flags().ConnectionState = 1;
  }
  int Calls = 0;
  // When set, confirms the connection on that scanner as the handshake does.
  FrameScanner* Confirms = nullptr;
};

// One frame as it came out of the scanner: its code and its payload bytes.
struct ScannedFrame {
  ScanResult Result;
  Bytes Payload;
  bool operator==(const ScannedFrame&) const = default;
};

bool ConsumesAFrame(ScanResult result) {
  return result != ScanNothing && result != ScanIncomplete && result != ScanSessionStartIncomplete;
}

// Feeds a scanner and records every frame it hands out.
class ScanDriver {
 public:
  ScanResult Scan(const Bytes& bytes) {
    FillStreamBuffer(input, bytes);
    const ScanResult result = scanner.ScanFrame(input, 0, stroke, personal, start);
    EXPECT_EQ(input.length, 0);
    EXPECT_LE(scanner.PendingBytes().size(), PendingBytesCapacity);
    Record(result);
    return result;
  }

  // Scans with no new bytes until nothing complete is left.
  void Drain() {
    while (ConsumesAFrame(Scan({}))) {
    }
  }

  void Record(ScanResult result) {
    if (!ConsumesAFrame(result)) return;
    switch (result) {
      case ScanStroke:
      case ScanBadStroke: seen.push_back({result, PayloadOf(stroke)}); break;
      case ScanSessionStart:
      case ScanBadSessionStart: seen.push_back({result, PayloadOf(start)}); break;
      case ScanPersonalData: seen.push_back({result, PayloadOf(personal)}); break;
      default: seen.push_back({result, PayloadOf(scanner.LastStatusMessage())});
    }
  }

  Bytes Pending() const { return Bytes(scanner.PendingBytes().begin(), scanner.PendingBytes().end()); }

  void Live() { scanner.Flags().SessionStartSeen = 1; }

  CountingListener listener;
  FrameScanner scanner{&listener};
  StreamBuffer input;
  StrokeMessage stroke;
  PersonalData personal;
  SessionStartMessage start;
  std::vector<ScannedFrame> seen;
};

class FrameScannerTest : public ::testing::Test, public ScanDriver {};

TEST_F(FrameScannerTest, StrokeSplitOverTwoChunksCompletesOnTheSecond) {
  Live();
  const Bytes frame = StrokeFrame(5);
  EXPECT_EQ(Scan(Bytes(frame.begin(), frame.begin() + 20)), ScanIncomplete);
  EXPECT_EQ(Pending(), Bytes(frame.begin(), frame.begin() + 20));
  EXPECT_EQ(Scan(Bytes(frame.begin() + 20, frame.end())), ScanStroke);
  EXPECT_EQ(stroke, SampleStroke(5));
  EXPECT_TRUE(Pending().empty());
}

TEST_F(FrameScannerTest, SessionStartWithPartOfItsPayloadWaitsForTheRest) {
  scanner.Flags().ConnectionState = 1;
  const Bytes frame = Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  EXPECT_EQ(Scan(Bytes(frame.begin(), frame.begin() + 8)), ScanSessionStartIncomplete);
  EXPECT_EQ(scanner.Flags().SessionStartSeen, 0);
  EXPECT_EQ(Scan(Bytes(frame.begin() + 8, frame.end())), ScanSessionStart);
  EXPECT_EQ(start.Weight(), 80);
  EXPECT_EQ(scanner.Flags().SessionStartSeen, 1);
}

TEST_F(FrameScannerTest, OneFramePerScanTheRestWaitsForTheNextChunk) {
  Live();
  Bytes chunk = StrokeFrame(1);
  Append(chunk, StrokeFrame(2));
  EXPECT_EQ(Scan(chunk), ScanStroke);
  EXPECT_EQ(stroke.StrokeNumber(), 1);
  EXPECT_EQ(Pending(), StrokeFrame(2));
  EXPECT_EQ(Scan({0x00}), ScanStroke);
  EXPECT_EQ(stroke.StrokeNumber(), 2);
  EXPECT_EQ(Pending(), Bytes{0x00});
}

TEST_F(FrameScannerTest, GarbageKeepsOnlyWhatCouldStartATag) {
  EXPECT_EQ(Scan({1, 2, 3, 4, 5}), ScanNothing);
  EXPECT_EQ(Pending(), (Bytes{3, 4, 5}));
  EXPECT_EQ(Scan({}), ScanNothing);
  EXPECT_EQ(Pending(), (Bytes{3, 4, 5}));

  FrameScanner fresh;
  StreamBuffer shortInput;
  FillStreamBuffer(shortInput, Bytes{0xFF, 0xFF});
  EXPECT_EQ(fresh.ScanFrame(shortInput, 0, stroke, personal, start), ScanNothing);
  EXPECT_EQ(fresh.PendingBytes().size(), 2u);
}

TEST_F(FrameScannerTest, BadChecksumDropsOnlyTheFirstTagByte) {
  Live();
  Bytes bad = StrokeFrame(3);
  bad[4 + 32] = static_cast<std::uint8_t>(bad[4 + 32] + 1);
  EXPECT_EQ(Scan(bad), ScanBadStroke);
  EXPECT_EQ(Pending(), Bytes(bad.begin() + 1, bad.end()));

  // A good frame hidden one byte after the bad tag is found by the next scan.
  Bytes overlapping{0xFF};
  Append(overlapping, StrokeFrame(4));
  FrameScanner fresh;
  fresh.Flags().SessionStartSeen = 1;
  FillStreamBuffer(input, overlapping);
  EXPECT_EQ(fresh.ScanFrame(input, 0, stroke, personal, start), ScanBadStroke);
  EXPECT_EQ(fresh.ScanFrame(input, 0, stroke, personal, start), ScanStroke);
  EXPECT_EQ(stroke, SampleStroke(4));
}

TEST_F(FrameScannerTest, BadSessionStartIsDroppedAndOpensNoSession) {
  scanner.Flags().ConnectionState = 1;
  Bytes bad = Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  bad[9] = 0x01;
  EXPECT_EQ(Scan(bad), ScanBadSessionStart);
  EXPECT_EQ(scanner.Flags().SessionStartSeen, 0);
  EXPECT_EQ(Pending(), Bytes(bad.begin() + 1, bad.end()));
}

TEST_F(FrameScannerTest, LiveLinkSkipsStrokesBeforeASessionAndSessionsBeforeConnection) {
  const Bytes strokeFrame = StrokeFrame(1);
  EXPECT_EQ(Scan(strokeFrame), ScanNothing);
  EXPECT_EQ(Pending().size(), 3u);

  EXPECT_EQ(Scan(Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes)), ScanNothing);
  EXPECT_EQ(scanner.Flags().SessionStartSeen, 0);

  scanner.Flags().ConnectionState = 1;
  EXPECT_EQ(Scan(Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes)), ScanSessionStart);
  EXPECT_EQ(Scan(strokeFrame), ScanStroke);
}

TEST_F(FrameScannerTest, ReadingFileAcceptsStrokesAndSessionStartsAlike) {
  scanner.Flags().ReadingFile = 1;
  EXPECT_EQ(Scan(StrokeFrame(1)), ScanStroke);
  EXPECT_EQ(Scan(Frame(SessionStartTag, EncodeSessionStart(117, 60).Bytes)), ScanSessionStart);
  EXPECT_EQ(scanner.Flags().SessionStartSeen, 1);
  EXPECT_EQ(scanner.Flags().ConnectionState, 0);
}

TEST_F(FrameScannerTest, ConnectionStatusRunsTheListener) {
  EXPECT_EQ(Scan(Frame(StatusTag, EncodeStatus(KindConnectionStatus, 1).Bytes)), ScanStatus);
  EXPECT_EQ(scanner.Flags().ConnectionState, 1);
  EXPECT_EQ(listener.Calls, 1);

  // Flag 0: the listener still runs; setting the state is then its job.
  FrameScanner unconfirmed(&listener);
  FillStreamBuffer(input, Frame(StatusTag, EncodeStatus(KindConnectionStatus, 0).Bytes));
  EXPECT_EQ(unconfirmed.ScanFrame(input, 0, stroke, personal, start), ScanStatus);
  EXPECT_EQ(unconfirmed.Flags().ConnectionState, 0);
  EXPECT_EQ(listener.Calls, 2);
}

TEST_F(FrameScannerTest, OtherStatusKindsAreStoredWithoutConnecting) {
  StatusMessage status = EncodeStatus(7, 1);
  status.Bytes[0] = 0x42;
  status.Bytes[24] = 0x99;  // wrong checksum: still delivered
  EXPECT_EQ(Scan(Frame(StatusTag, status.Bytes)), ScanStatus);
  EXPECT_EQ(scanner.LastStatusMessage(), status);
  EXPECT_EQ(listener.Calls, 0);
  EXPECT_EQ(scanner.Flags().ConnectionState, 0);

  FrameScanner withoutListener;
  FillStreamBuffer(input, Frame(StatusTag, EncodeStatus(KindConnectionStatus, 1).Bytes));
  EXPECT_EQ(withoutListener.ScanFrame(input, 0, stroke, personal, start), ScanStatus);
  EXPECT_EQ(withoutListener.Flags().ConnectionState, 1);
}

// A live stream: confirmation, session, strokes, personal data and status,
// with garbage that holds partial tags between the frames.
Bytes MixedStream() {
  const Bytes garbage{0x01, 0xFF, 0xFF, 0xFF, 0x00, 0x42};
  Bytes stream = Frame(StatusTag, EncodeStatus(KindConnectionStatus, 1).Bytes);
  Append(stream, garbage);
  Append(stream, Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes));
  Append(stream, StrokeFrame(1));
  Append(stream, garbage);
  Append(stream, Frame(PersonalDataTag, frames::SamplePersonalData().Bytes));
  Append(stream, StrokeFrame(2));
  Append(stream, Frame(StatusTag, EncodeStatus(5, 0).Bytes));
  Append(stream, garbage);
  Append(stream, StrokeFrame(3));
  return stream;
}

std::vector<ScannedFrame> MixedStreamFrames() {
  return {
      {ScanStatus, PayloadOf(EncodeStatus(KindConnectionStatus, 1))},
      {ScanSessionStart, PayloadOf(EncodeSessionStart(118, 80))},
      {ScanStroke, PayloadOf(SampleStroke(1))},
      {ScanPersonalData, PayloadOf(frames::SamplePersonalData())},
      {ScanStroke, PayloadOf(SampleStroke(2))},
      {ScanStatus, PayloadOf(EncodeStatus(5, 0))},
      {ScanStroke, PayloadOf(SampleStroke(3))},
  };
}

std::vector<ScannedFrame> ScanInChunks(const Bytes& stream, const std::vector<std::size_t>& cuts, int& confirmations) {
  ScanDriver run;
  run.listener.Confirms = &run.scanner;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    run.Scan(Bytes(stream.begin() + from, stream.begin() + cut));
    from = cut;
  }
  run.Scan(Bytes(stream.begin() + from, stream.end()));
  run.Drain();
  confirmations = run.listener.Calls;
  EXPECT_LE(run.Pending().size(), 3u);
  return run.seen;
}

TEST(FrameScannerStream, EverySplitIntoTwoChunksYieldsTheSameFramesInOrder) {
  const Bytes stream = MixedStream();
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    int confirmations = 0;
    EXPECT_EQ(ScanInChunks(stream, {cut}, confirmations), MixedStreamFrames()) << "cut at " << cut;
    EXPECT_EQ(confirmations, 1);
  }
}

TEST(FrameScannerStream, RandomChunkSizesYieldTheSameFramesInOrder) {
  const Bytes stream = MixedStream();
  std::mt19937 random(20240307);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::size_t> cuts;
    std::uniform_int_distribution<std::size_t> step(1, 64);
    for (std::size_t at = step(random); at < stream.size(); at += step(random)) cuts.push_back(at);
    int confirmations = 0;
    EXPECT_EQ(ScanInChunks(stream, cuts, confirmations), MixedStreamFrames()) << "round " << round;
  }
}

TEST_F(FrameScannerTest, LongBurstKeepsTheNewestBytesWithinPendingBytes) {
  Live();
  Bytes burst;
  for (std::uint16_t number = 1; number <= 100; ++number) Append(burst, StrokeFrame(number));
  ASSERT_LE(burst.size(), StreamBufferCapacity);

  EXPECT_EQ(Scan(burst), ScanStroke);
  Drain();

  // Only the frames that lay wholly within the newest 1016 bytes survive.
  const std::size_t survivors = PendingBytesCapacity / FrameLengths.StrokeFrame;
  ASSERT_EQ(seen.size(), survivors);
  for (std::size_t i = 0; i < survivors; ++i) {
    const auto number = static_cast<std::uint16_t>(100 - survivors + 1 + i);
    EXPECT_EQ(seen[i], (ScannedFrame{ScanStroke, PayloadOf(SampleStroke(number))}));
  }
}

TEST_F(FrameScannerTest, SteadyOverflowFromTwoFramesPerChunkStaysBoundedAndCurrent) {
  Live();
  std::uint16_t number = 0;
  for (int chunk = 0; chunk < 200; ++chunk) {
    Bytes twoFrames = StrokeFrame(++number);
    Append(twoFrames, StrokeFrame(++number));
    Scan(twoFrames);
  }
  Drain();
  EXPECT_EQ(seen.back().Payload, PayloadOf(SampleStroke(number)));
  EXPECT_TRUE(Pending().empty());
}

TEST_F(FrameScannerTest, OversizedOrCorruptLengthsNeverReachPastTheBuffers) {
  Live();
  Bytes huge(6000, 0x00);
  const Bytes last = StrokeFrame(42);
  std::copy(last.begin(), last.end(), huge.begin() + 5000 - last.size());
  FillStreamBuffer(input, huge);
  EXPECT_EQ(input.length, 5000);
  EXPECT_EQ(scanner.ScanFrame(input, 0, stroke, personal, start), ScanStroke);
  EXPECT_EQ(stroke, SampleStroke(42));

  input.data.fill(0x00);
  input.length = 32000;
  EXPECT_EQ(scanner.ScanFrame(input, 0, stroke, personal, start), ScanNothing);
  EXPECT_LE(scanner.PendingBytes().size(), PendingBytesCapacity);
  input.length = -7;
  EXPECT_EQ(scanner.ScanFrame(input, 0, stroke, personal, start), ScanNothing);
  EXPECT_EQ(input.length, 0);
}

}  // namespace
}  // namespace veltrasko

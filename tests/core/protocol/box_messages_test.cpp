// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_messages.h"

#include <gtest/gtest.h>

#include "frame_bytes.h"

namespace veltrasko {
namespace {

using frames::Bytes;
using frames::SampleStroke;

TEST(BoxMessages, SessionStartEncodesVersionWeightAndChecksum) {
  const SessionStartMessage message = EncodeSessionStart(118, 80);
  EXPECT_EQ(message.Bytes, (std::array<std::uint8_t, 6>{0x76, 0x00, 0x50, 0x00, 0xC6, 0x00}));

  SessionStartMessage decoded;
  EXPECT_EQ(DecodeSessionStart(message.Bytes, decoded), 0);
  EXPECT_EQ(decoded.BoxVersion(), 118);
  EXPECT_EQ(decoded.Weight(), 80);
}

TEST(BoxMessages, StrokeChecksumWrapsAtSixteenBits) {
  Bytes zeros(34, 0x00);
  StrokeMessage message;
  EXPECT_EQ(DecodeStroke(zeros, message), 0);

  Bytes ones(34, 0xFF);
  ones[32] = 0xE0;
  ones[33] = 0x1F;
  EXPECT_EQ(DecodeStroke(ones, message), 0);
  EXPECT_EQ(message.StrokeChecksum(), 0x1FE0);
}

TEST(BoxMessages, BadChecksumIsReportedButBytesStayCopied) {
  Bytes payload = frames::PayloadOf(SampleStroke(7));
  payload[32] = static_cast<std::uint8_t>(payload[32] + 1);
  StrokeMessage message;
  EXPECT_EQ(DecodeStroke(payload, message), 1);
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), message.Bytes.begin()));

  Bytes start = frames::PayloadOf(EncodeSessionStart(117, 70));
  start[5] = 0x01;
  SessionStartMessage startMessage;
  EXPECT_EQ(DecodeSessionStart(start, startMessage), 1);
  EXPECT_EQ(startMessage.BoxVersion(), 117);
}

TEST(BoxMessages, StrokeFieldsRoundTripThroughTheWireLayout) {
  StrokeCounters counters;
  counters.Side = 2;
  counters.StrokeNumber = 0x1234;
  counters.ClockTicks = 0x89ABCDEF;
  counters.PaddleTicks = 1000000;
  counters.WaterTicks = 400000;
  counters.WorkUnits = 1234.5f;
  counters.TotalDistance = 987.25f;
  counters.HeartRateValue = 77;
  counters.Reserved7 = {1, 2, 3, 4};
  counters.Reserved19 = {5, 6, 7, 8};
  const StrokeMessage message = EncodeStroke(counters);

  EXPECT_EQ(message.Bytes[1], 0x34);
  EXPECT_EQ(message.Bytes[2], 0x12);
  EXPECT_EQ(message.Bytes[3], 0xEF);
  EXPECT_EQ(message.Bytes[6], 0x89);
  EXPECT_EQ(message.Bytes[7], 1);
  EXPECT_EQ(message.Bytes[22], 8);

  StrokeMessage decoded;
  ASSERT_EQ(DecodeStroke(message.Bytes, decoded), 0);
  EXPECT_EQ(decoded.Side(), 2);
  EXPECT_EQ(decoded.StrokeNumber(), 0x1234);
  EXPECT_EQ(decoded.ClockTicks(), 0x89ABCDEFu);
  EXPECT_EQ(decoded.PaddleTicks(), 1000000u);
  EXPECT_EQ(decoded.WaterTicks(), 400000u);
  EXPECT_FLOAT_EQ(decoded.WorkUnits(), 1234.5f);
  EXPECT_FLOAT_EQ(decoded.TotalDistance(), 987.25f);
  EXPECT_EQ(decoded.HeartRateValue(), 77);
}

TEST(BoxMessages, StatusIsDeliveredWhateverItsChecksum) {
  StatusMessage sent = EncodeStatus(KindConnectionStatus, 1);
  EXPECT_EQ(sent.StatusChecksum(), 14);
  sent.Bytes[24] = 0x55;

  StatusMessage received;
  DecodeStatus(sent.Bytes, received);
  EXPECT_EQ(received, sent);
  EXPECT_EQ(received.MessageKind(), KindConnectionStatus);
  EXPECT_EQ(received.StatusFlag(), 1);
}

TEST(BoxMessages, ShortPayloadsAreRefusedWithoutReadingPastThem) {
  const StrokeMessage before = SampleStroke(3);
  StrokeMessage message = before;
  const Bytes shortPayload(33, 0x00);
  EXPECT_EQ(DecodeStroke(shortPayload, message), 1);
  EXPECT_EQ(message, before);

  PersonalData data = frames::SamplePersonalData();
  const PersonalData original = data;
  DecodePersonalData(Bytes(53, 0x00), data);
  EXPECT_EQ(data, original);
}

TEST(BoxMessages, CopyAndClearCoverAllBytes) {
  const StrokeMessage source = SampleStroke(9);
  StrokeMessage destination;
  CopyStrokeMessage(destination, source);
  EXPECT_EQ(destination, source);

  ClearStrokeMessage(destination);
  EXPECT_EQ(destination, StrokeMessage{});
  EXPECT_EQ(destination.StrokeNumber(), 0);
}

}  // namespace
}  // namespace veltrasko

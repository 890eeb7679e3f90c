// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vrcgen/paddling_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "session/stroke_computation.h"

namespace veltrasko {
namespace {

// Runs messages through the stroke computation the way the record reader
// does, keeping the predecessor as it would.
class ComputationHarness {
 public:
  StrokeResult Take(const StrokeMessage& message) {
    const StrokeResult result = computer_.ComputeStroke(row_, message, predecessor_, 1);
    if (result != StrokeRepeat) predecessor_ = message;
    return result;
  }
  const StrokeRow& Row() const { return row_; }

 private:
  StrokeComputer computer_;
  StrokeRow row_;
  StrokeMessage predecessor_;
};

StrokeResult ExpectedResult(StrokeEvent event) {
  switch (event) {
    case StrokeEvent::Stroke:
    case StrokeEvent::AfterPause: return StrokeAccepted;
    case StrokeEvent::Repeat: return StrokeRepeat;
    default: return StrokeRejected;
  }
}

TEST(PaddlingModel, PlainStrokesAreAcceptedWithinThePaddlersRanges) {
  PaddlingModel model(7);
  ComputationHarness computation;
  for (int i = 0; i < 3000; ++i) {
    const StrokeMessage message = model.NextStroke();
    ASSERT_EQ(model.LastEvent(), StrokeEvent::Stroke);
    ASSERT_EQ(message.StrokeNumber(), i + 1);
    ASSERT_EQ(message.Side(), i % 2);
    ASSERT_EQ(message.ClockTicks(), message.PaddleTicks());
    ASSERT_EQ(computation.Take(message), StrokeAccepted) << "stroke " << i + 1;
    const StrokeRow& row = computation.Row();
    // Floats of the running totals cost a little precision.
    EXPECT_GE(row.Speed, 2.99f);
    EXPECT_LE(row.Speed, 5.01f);
    EXPECT_GE(row.StrokeRate, 79.9f);
    EXPECT_LE(row.StrokeRate, 120.1f);
    EXPECT_GE(row.Work, 99.0f);
    EXPECT_LE(row.Work, 251.0f);
    EXPECT_GE(row.WaterPercent, 44.0f);
    EXPECT_LE(row.WaterPercent, 61.0f);
    EXPECT_GE(row.HeartRate, 90.0f);
    EXPECT_LE(row.HeartRate, 180.0f);
  }
}

TEST(PaddlingModel, SameSeedSameMessagesAndOtherSeedsDiffer) {
  PaddlingFaults faults{.PauseEvery = 9, .ShortStopEvery = 11, .RepeatEvery = 5};
  PaddlingModel first(42, faults);
  PaddlingModel second(42, faults);
  PaddlingModel other(43, faults);
  int differing = 0;
  for (int i = 0; i < 500; ++i) {
    const StrokeMessage message = first.NextStroke();
    ASSERT_EQ(message, second.NextStroke());
    differing += message != other.NextStroke();
  }
  EXPECT_GT(differing, 400);
}

TEST(PaddlingModel, EveryFaultMeetsTheComputationAsIntended) {
  const PaddlingFaults faults{
      .PauseEvery = 13, .ShortStopEvery = 7, .ClockBehindEvery = 11, .RepeatEvery = 5, .SpikeEvery = 17};
  PaddlingModel model(3, faults);
  ComputationHarness computation;
  std::vector<int> seen(6, 0);
  std::uint32_t previousClock = 0;
  for (int i = 0; i < 5000; ++i) {
    const StrokeMessage message = model.NextStroke();
    const StrokeEvent event = model.LastEvent();
    ++seen[static_cast<int>(event)];
    ASSERT_EQ(computation.Take(message), ExpectedResult(event))
        << "message " << i << " event " << static_cast<int>(event);
    if (event == StrokeEvent::AfterPause) {
      EXPECT_GE(message.ClockTicks() - previousClock, 2u * 500000u);
    }
    if (event == StrokeEvent::Repeat) {
      EXPECT_EQ(message.ClockTicks(), previousClock);
    }
    previousClock = message.ClockTicks();
  }
  for (int count : seen) EXPECT_GT(count, 200);
}

TEST(PaddlingModel, ResetStartsTheCountersAgainWithAPlainStroke) {
  PaddlingModel model(5, PaddlingFaults{.PauseEvery = 1, .RepeatEvery = 3});
  StrokeMessage last;
  for (int i = 0; i < 20; ++i) last = model.NextStroke();
  ASSERT_GT(last.TotalDistance(), 20.0f);
  model.ResetBox();
  const StrokeMessage first = model.NextStroke();
  EXPECT_EQ(model.LastEvent(), StrokeEvent::Stroke);
  EXPECT_EQ(first.StrokeNumber(), 1);
  EXPECT_EQ(first.Side(), 0);
  EXPECT_EQ(first.ClockTicks(), first.PaddleTicks());
  EXPECT_LT(first.PaddleTicks(), 500000u * 60 / 80 + 1);
  EXPECT_LT(first.TotalDistance(), 5.0f * 0.75f + 0.01f);
  EXPECT_EQ(first.StrokeChecksum(), ByteSum(std::span(first.Bytes).first(32)));
}

TEST(PaddlingModel, LiveSimulatorsLearnWhenToSendEachMessage) {
  PaddlingModel model(9, PaddlingFaults{.PauseEvery = 4});
  std::uint32_t clock = 0;
  for (int i = 0; i < 40; ++i) {
    const StrokeMessage message = model.NextStroke();
    EXPECT_NEAR(model.LastClockAdvanceSeconds(), (message.ClockTicks() - clock) / 500000.0, 1e-9);
    clock = message.ClockTicks();
  }
}

}  // namespace
}  // namespace veltrasko

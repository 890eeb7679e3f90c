// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/stroke_computation.h"

#include <gtest/gtest.h>

namespace veltrasko {
namespace {

// Stroke 11 after stroke 10: one second of paddling, half of it in the water,
// 4 m covered.
StrokeCounters WorkedPredecessor() {
  StrokeCounters counters;
  counters.StrokeNumber = 10;
  counters.WaterTicks = 2000000;
  counters.WorkUnits = 0.0f;
  counters.TotalDistance = 40.0f;
  return counters;
}

StrokeCounters WorkedMessage() {
  StrokeCounters counters;
  counters.Side = 1;
  counters.StrokeNumber = 11;
  counters.PaddleTicks = 5500000;
  counters.ClockTicks = 5500000;
  counters.WaterTicks = 2250000;
  counters.WorkUnits = 1e-8f;
  counters.TotalDistance = 44.0f;
  counters.HeartRateValue = 150;
  return counters;
}

class StrokeComputationTest : public ::testing::Test {
 protected:
  void SetUp() override { computer.State() = StrokeComputationState{0, 5000000, 5000000, 8.0f}; }

  StrokeResult Compute(const StrokeCounters& message, const StrokeCounters& predecessor,
                       std::int16_t heartRateFactor = 1) {
    return computer.ComputeStroke(row, EncodeStroke(message), EncodeStroke(predecessor), heartRateFactor);
  }

  StrokeResult ComputeWorked(std::uint32_t clockTicks) {
    StrokeCounters message = WorkedMessage();
    message.ClockTicks = clockTicks;
    return Compute(message, WorkedPredecessor());
  }

  // The worked stroke with a different distance and water time, so that its
  // speed and air time can be chosen: period 1 s.
  StrokeResult ComputeWithSpeedAndWater(float metres, std::uint32_t waterTicks) {
    StrokeCounters message = WorkedMessage();
    message.TotalDistance = 40.0f + metres;
    message.WaterTicks = WorkedPredecessor().WaterTicks + waterTicks;
    return Compute(message, WorkedPredecessor());
  }

  void ExpectWorkedValues() const {
    EXPECT_EQ(row.Side, 1);
    EXPECT_EQ(row.StrokeNumber, 11);
    EXPECT_EQ(row.StrokeSpan, 1);
    EXPECT_EQ(row.TotalDistance, 44.0f);
    EXPECT_EQ(row.StrokeDistance, 4.0f);
    EXPECT_EQ(row.Speed, 4.0f);
    EXPECT_NEAR(row.Power, 128.6, 0.05);
    EXPECT_NEAR(row.Work, 128.6, 0.05);
    EXPECT_NEAR(row.TotalWork, 128.6, 0.05);
    EXPECT_EQ(row.StrokeRate, 60.0f);
    EXPECT_EQ(row.WaterPercent, 50.0f);
    EXPECT_EQ(row.StrokeTime, 1.0f);
    EXPECT_EQ(row.WaterDistance, 2.0f);
    EXPECT_EQ(row.AirTime, 0.5f);
    EXPECT_EQ(row.PaddleTime, 11.0f);
    EXPECT_EQ(row.HeartRate, 150.0f);
  }

  StrokeComputer computer;
  StrokeRow row;
};

TEST(StrokeConstantsTest, ScalesFollowFromTheBoxTimerAndTheFanFactors) {
  EXPECT_DOUBLE_EQ(StrokeConstants::WorkScale, 1.2862793257931921e10);
  EXPECT_DOUBLE_EQ(StrokeConstants::PowerScale, 6.431396628965961e15);
  EXPECT_EQ(StrokeConstants::RateScale, 3.0e7);
  EXPECT_EQ(StrokeConstants::SecondsPerTick, 2e-06);
}

TEST_F(StrokeComputationTest, WorkedStrokeGivesEveryValue) {
  EXPECT_EQ(ComputeWorked(5500000), StrokeAccepted);
  ExpectWorkedValues();
  EXPECT_EQ(row.ClockTime, 11.0f);
  EXPECT_EQ(computer.State().PaddleOffset, 0u);
  EXPECT_EQ(computer.State().PreviousPaddle, 5500000u);
  EXPECT_EQ(computer.State().PreviousClock, 5500000u);
  EXPECT_EQ(computer.State().PreviousSpeed, 4.0f);
}

TEST_F(StrokeComputationTest, HeartRateIsScaledByTheBoxFactor) {
  StrokeCounters message = WorkedMessage();
  message.HeartRateValue = 30;
  EXPECT_EQ(Compute(message, WorkedPredecessor(), 5), StrokeAccepted);
  EXPECT_EQ(row.HeartRate, 150.0f);
}

TEST_F(StrokeComputationTest, PauseOfOneSecondOrMoreIsLeftOutOfTheStroke) {
  EXPECT_EQ(ComputeWorked(6000000), StrokeAccepted);
  ExpectWorkedValues();
  EXPECT_EQ(row.ClockTime, 12.0f);
  EXPECT_EQ(computer.State().PaddleOffset, 0u);
  EXPECT_EQ(computer.State().PreviousClock, 6000000u);
}

TEST_F(StrokeComputationTest, ShortStopMovesThePaddleTimeForward) {
  EXPECT_EQ(ComputeWorked(5600000), StrokeRejected);
  EXPECT_EQ(computer.State().PaddleOffset, 100000u);
  EXPECT_EQ(computer.State().PreviousPaddle, 5600000u);
  EXPECT_EQ(computer.State().PreviousClock, 5600000u);
  EXPECT_EQ(computer.State().PreviousSpeed, 8.0f);

  // The next stroke runs on the corrected paddle time and is a full second long.
  StrokeCounters next = WorkedMessage();
  next.StrokeNumber = 12;
  next.PaddleTicks = 6000000;
  next.ClockTicks = 6100000;
  next.WaterTicks = 2500000;
  next.TotalDistance = 48.0f;
  EXPECT_EQ(Compute(next, WorkedMessage()), StrokeAccepted);
  EXPECT_EQ(row.PaddleTime, 12.2f);
  EXPECT_EQ(row.StrokeTime, 1.0f);
  EXPECT_EQ(row.Speed, 4.0f);
}

TEST_F(StrokeComputationTest, ClockBehindPullsThePaddleTimeBack) {
  EXPECT_EQ(ComputeWorked(5400000), StrokeRejected);
  EXPECT_EQ(computer.State().PaddleOffset, static_cast<std::uint32_t>(-100000));
  EXPECT_EQ(computer.State().PreviousPaddle, 5500000u);
  EXPECT_EQ(computer.State().PreviousClock, 5500000u);
}

TEST_F(StrokeComputationTest, GapLimitsAreExclusive) {
  struct Case {
    std::int32_t gap;
    StrokeResult expected;
  };
  const Case cases[] = {{1500, StrokeAccepted},    {1501, StrokeRejected},   {499999, StrokeRejected},
                        {500000, StrokeAccepted},  {-1500, StrokeAccepted},  {-1501, StrokeRejected},
                        {-199999, StrokeRejected}, {-200000, StrokeAccepted}};
  for (const Case& c : cases) {
    SetUp();
    EXPECT_EQ(ComputeWorked(static_cast<std::uint32_t>(5500000 + c.gap)), c.expected) << "gap " << c.gap;
  }
}

TEST_F(StrokeComputationTest, RepeatedPaddleTimeLeavesRowAndStateUntouched) {
  StrokeCounters message = WorkedMessage();
  message.PaddleTicks = 5000000;
  row.Speed = 3.25f;
  const StrokeRow before = row;

  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeRepeat);
  EXPECT_EQ(row, before);
  EXPECT_EQ(computer.State().PreviousClock, 5000000u);
  EXPECT_EQ(computer.State().PreviousSpeed, 8.0f);
}

TEST_F(StrokeComputationTest, SkippedStrokeNumbersShareTheDeltas) {
  StrokeCounters message = WorkedMessage();
  message.StrokeNumber = 13;
  message.PaddleTicks = 5000000 + 1500002;
  message.ClockTicks = message.PaddleTicks;
  message.WaterTicks = 2000000 + 750001;
  message.TotalDistance = 52.0f;
  message.WorkUnits = 3e-8f;

  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeAccepted);
  EXPECT_EQ(row.StrokeSpan, 3);
  EXPECT_EQ(row.StrokeDistance, 4.0f);
  // Period and water time are truncated to whole ticks per stroke.
  EXPECT_EQ(row.StrokeTime, 1.0f);
  EXPECT_EQ(row.WaterPercent, 50.0f);
  EXPECT_EQ(row.AirTime, 0.5f);
  EXPECT_NEAR(row.Work, 128.6, 0.05);
  EXPECT_NEAR(row.Power, 128.6, 0.05);
}

TEST_F(StrokeComputationTest, BackwardStrokeNumberCountsAsOneStroke) {
  StrokeCounters message = WorkedMessage();
  message.StrokeNumber = 5;
  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeAccepted);
  EXPECT_EQ(row.StrokeSpan, 1);
  EXPECT_EQ(row.StrokeDistance, 4.0f);
}

TEST_F(StrokeComputationTest, StrokeNumberWrapsAround) {
  StrokeCounters predecessor = WorkedPredecessor();
  predecessor.StrokeNumber = 65535;
  StrokeCounters message = WorkedMessage();
  message.StrokeNumber = 2;
  message.PaddleTicks = 5000000 + 1500000;
  message.ClockTicks = message.PaddleTicks;
  EXPECT_EQ(Compute(message, predecessor), StrokeAccepted);
  EXPECT_EQ(row.StrokeSpan, 3);
  EXPECT_EQ(row.StrokeTime, 1.0f);
  EXPECT_EQ(row.StrokeDistance, 4.0f / 3.0f);
}

TEST_F(StrokeComputationTest, FewerPaddleTicksThanStrokesIsNoStroke) {
  StrokeCounters message = WorkedMessage();
  message.StrokeNumber = 13;
  message.PaddleTicks = 5000002;
  message.ClockTicks = 5000002;

  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeRejected);
  EXPECT_EQ(computer.State().PreviousPaddle, 5000002u);
  EXPECT_EQ(computer.State().PreviousSpeed, 8.0f);
}

TEST_F(StrokeComputationTest, PaddleCounterWrapsAt32Bits) {
  computer.State() = StrokeComputationState{0, 0xFFFF0000u, 0xFFFF0000u, 4.0f};
  StrokeCounters message = WorkedMessage();
  message.PaddleTicks = 0xFFFF0000u + 500000u;
  message.ClockTicks = message.PaddleTicks;

  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeAccepted);
  EXPECT_EQ(row.StrokeTime, 1.0f);
  EXPECT_EQ(row.Speed, 4.0f);
  EXPECT_EQ(row.PaddleTime, static_cast<float>((0xFFFF0000u + 500000u) * 2e-06L));
}

TEST_F(StrokeComputationTest, SpikeNeedsBothAJumpAndAHighSpeed) {
  computer.State().PreviousSpeed = 5.0f;
  EXPECT_EQ(ComputeWithSpeedAndWater(8.0f, 250000), StrokeRejected);
  EXPECT_EQ(computer.State().PreviousSpeed, 8.0f);

  // The spike raised the reference, so the same speed again is a stroke.
  computer.State().PreviousPaddle = 5000000;
  computer.State().PreviousClock = 5000000;
  EXPECT_EQ(ComputeWithSpeedAndWater(8.0f, 250000), StrokeAccepted);

  computer.State() = StrokeComputationState{0, 5000000, 5000000, 5.0f};
  EXPECT_EQ(ComputeWithSpeedAndWater(7.5f, 250000), StrokeAccepted);  // a jump, but a paddler's speed

  computer.State() = StrokeComputationState{0, 5000000, 5000000, 6.0f};
  EXPECT_EQ(ComputeWithSpeedAndWater(8.0f, 250000), StrokeAccepted);  // fast, but no jump
}

TEST_F(StrokeComputationTest, ShortAirTimeIsNoStrokeButSetsTheSpeed) {
  EXPECT_EQ(ComputeWithSpeedAndWater(4.5f, 470000), StrokeRejected);
  EXPECT_NEAR(row.AirTime, 0.06, 1e-6);
  EXPECT_EQ(computer.State().PreviousSpeed, 4.5f);
}

TEST_F(StrokeComputationTest, WaterTimeMustExceedATenthOfASecond) {
  EXPECT_EQ(ComputeWithSpeedAndWater(4.0f, 49999), StrokeRejected);
  SetUp();
  // 50000 ticks fall just below 0.1 s once 2e-06 is taken as the double it is.
  EXPECT_EQ(ComputeWithSpeedAndWater(4.0f, 50000), StrokeRejected);
  SetUp();
  EXPECT_EQ(ComputeWithSpeedAndWater(4.0f, 50001), StrokeAccepted);
}

TEST_F(StrokeComputationTest, SideEqualToTheEndMarkerIsNeverStored) {
  StrokeCounters message = WorkedMessage();
  message.Side = EndMarker;
  EXPECT_EQ(Compute(message, WorkedPredecessor()), StrokeRejected);
  EXPECT_EQ(computer.State().PreviousSpeed, 4.0f);
}

TEST_F(StrokeComputationTest, FirstStrokeAfterResetStartsFromZero) {
  computer.State() = StrokeComputationState{12345, 9000000, 9000000, 1.0f};
  StrokeCounters first;
  first.Side = 0;
  first.StrokeNumber = 1;
  first.PaddleTicks = 500000;
  first.ClockTicks = 600000;  // a short stop is not corrected on the first stroke
  first.WaterTicks = 250000;
  first.WorkUnits = 1e-8f;
  first.TotalDistance = 4.15f;

  EXPECT_EQ(Compute(first, StrokeCounters{}), StrokeAccepted);
  EXPECT_EQ(row.StrokeSpan, 1);
  EXPECT_EQ(row.StrokeDistance, 4.15f);
  EXPECT_EQ(row.PaddleTime, 1.0f);
  EXPECT_EQ(row.ClockTime, 1.2f);
  EXPECT_EQ(row.WaterPercent, 50.0f);
  EXPECT_EQ(computer.State().PaddleOffset, 0u);
  EXPECT_EQ(computer.State().PreviousPaddle, 500000u);
  EXPECT_EQ(computer.State().PreviousClock, 600000u);
}

TEST_F(StrokeComputationTest, ResetStartsTheSpikeTestFromSixMetresPerSecond) {
  computer.State().PreviousSpeed = 1.0f;
  StrokeCounters first;
  first.StrokeNumber = 1;
  first.PaddleTicks = 500000;
  first.ClockTicks = 500000;
  first.WaterTicks = 250000;
  first.TotalDistance = 8.3f;
  EXPECT_EQ(Compute(first, StrokeCounters{}), StrokeAccepted);  // 8.3 < 6.0 x 1.4

  first.TotalDistance = 8.5f;
  EXPECT_EQ(Compute(first, StrokeCounters{}), StrokeRejected);  // 8.5 > 6.0 x 1.4
  EXPECT_EQ(computer.State().PreviousSpeed, 8.5f);
}

}  // namespace
}  // namespace veltrasko

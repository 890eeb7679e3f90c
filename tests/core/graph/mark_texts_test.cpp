// SPDX-License-Identifier: GPL-3.0-or-later
// The point-tip texts and the session lines under a printed graph.
#include "graph/mark_texts.h"

#include <gtest/gtest.h>

#include "graph/foot_text.h"
#include "session/analyser_core.h"
#include "support/core_state_for_tests.h"

namespace veltrasko {
namespace {

constexpr SpeedUnitCode Kmh = SpeedUnitCode::KilometresPerHour;
constexpr SpeedUnitCode Ms = SpeedUnitCode::MetresPerSecond;

TEST(MarkTexts, SpeedFollowsTheUnitItIsPlottedIn) {
  EXPECT_EQ(PointTipText(1, true, 14.42, Kmh), "Speed: 14.4 KM/H");
  EXPECT_EQ(PointTipText(9, true, 14.46, Kmh), "Speed: 14.5 KM/H");
  EXPECT_EQ(PointTipText(1, true, 4.0, Ms), "Speed: 4.00 M/S");
  EXPECT_EQ(PointTipText(9, true, 3.456, Ms), "Speed: 3.46 M/S");
}

TEST(MarkTexts, EachValueInItsWordsAndDecimals) {
  EXPECT_EQ(PointTipText(7, true, 61.6, Kmh), "Heart rate 62 Strokes/min.");
  EXPECT_EQ(PointTipText(15, true, 61.4, Kmh), "Heart rate 61 Strokes/min.");
  EXPECT_EQ(PointTipText(10, true, 88.25, Kmh), "Stroke rate: 88.2 Strokes/min.");
  EXPECT_EQ(PointTipText(3, true, 1234.56, Kmh), "Power: 1234.6 Watts");
  EXPECT_EQ(PointTipText(12, true, 61.0, Kmh), "Water section: 61.0 Pct.");
  EXPECT_EQ(PointTipText(5, true, 1.5, Kmh), "Water dist.: 1.500 Meters");
  EXPECT_EQ(PointTipText(14, true, 0.2504, Kmh), "Air time 0.250 Seconds");
  EXPECT_EQ(PointTipText(16, true, 2.5, Kmh), "Stroke distance: 2.50 Meters");
  EXPECT_EQ(PointTipText(25, true, 200, Kmh), "Power - Left: 200.0 Watts");
  EXPECT_EQ(PointTipText(18, true, 201, Kmh), "Power - Right: 201.0 Watts");
  EXPECT_EQ(PointTipText(27, true, 2.345, Kmh), "Stroke distance - Left: 2.35 Meters");
  EXPECT_EQ(PointTipText(20, true, 2.3, Kmh), "Stroke distance - Right: 2.30 Meters");
  EXPECT_EQ(PointTipText(21, true, 1.25, Kmh), "Water dist. - Left: 1.250 Meters");
  EXPECT_EQ(PointTipText(30, true, 1.2, Kmh), "Water dist. - Right: 1.200 Meters");
  EXPECT_EQ(PointTipText(23, true, 0.3, Kmh), "Air time - Left: 0.300 Seconds");
  EXPECT_EQ(PointTipText(32, true, 0.31, Kmh), "Air time - Right: 0.310 Seconds");
  EXPECT_EQ(PointTipText(35, true, 150, Kmh), "Work - Left: 150.0 Joule");
  EXPECT_EQ(PointTipText(34, true, 151.04, Kmh), "Work - Right: 151.0 Joule");
}

TEST(MarkTexts, EveryOneOfTheSeriesHasItsHandlerAndOnlyThose) {
  for (int series = 1; series <= 36; ++series) {
    const MarkTextHandler* handler = MarkTextHandlerOf(series);
    ASSERT_NE(handler, nullptr) << series;
    EXPECT_TRUE(handler->DistanceSeries == series || handler->TimeSeries == series);
    EXPECT_EQ(MarkTextHandlerOf(handler->DistanceSeries), MarkTextHandlerOf(handler->TimeSeries));
  }
  EXPECT_EQ(MarkTextHandlerOf(0), nullptr);
  EXPECT_EQ(MarkTextHandlerOf(37), nullptr);
  EXPECT_EQ(PointTipText(37, true, 1, Kmh), "");
}

TEST(MarkTexts, HiddenSeriesGiveNoTip) {
  EXPECT_EQ(PointTipText(1, false, 14.42, Kmh), "");
  EXPECT_EQ(PointTipText(36, false, 10, Kmh), "");
}

TEST(MarkTexts, FixedTextIgnoresTheLocaleAndRoundsToNearest) {
  EXPECT_EQ(FixedText(0.125, 2), "0.12");  // 0.125 is exact: ties go to even
  EXPECT_EQ(FixedText(0.1251, 2), "0.13");
  EXPECT_EQ(FixedText(1234567.0, 0), "1234567");
}

class FootTextTest : public testing::Test {
 protected:
  FootTextTest() {
    core_->EditSettings() = UserSettings::Defaults();
    core_->EditSettings().SetAverageFilter(4);
    CoreStateForTests::Session(*core_).OnlineHeader.RecordFileName.Assign("/home/paddler/kayak_03.vrc");
    CoreStateForTests::File(*core_).FileHeader.FileName.Assign("/data/opened_01.vrc");
    PersonalData& online = CoreStateForTests::Session(*core_).OnlinePersonalData;
    online.SetText(PersonNameField, "Kayak");
    online.SetText(WeightTextField, "62");
    online.SetText(FanResistanceField, "");
    online.SetText(SessionDateField, "3-7-2024");
  }
  std::unique_ptr<AnalyserCore> core_ = std::make_unique<AnalyserCore>();
};

TEST_F(FootTextTest, OnlineViewNamesTheRecordFileAndTheSession) {
  const std::optional<FootLines> lines = SessionFootLines(*core_);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->RecordPath, "/home/paddler/kayak_03.vrc");
  EXPECT_EQ(lines->Information, "Kayak, 62 Kg, avg. filter: 4 strokes, 3-7-2024");
  core_->EditSettings().SetAverageFilter(1);
  EXPECT_EQ(SessionFootLines(*core_)->Information, "Kayak, 62 Kg, no avg. filter, 3-7-2024");
}

TEST_F(FootTextTest, FanResistanceStandsBetweenWeightAndFilter) {
  CoreStateForTests::Session(*core_).OnlinePersonalData.SetText(FanResistanceField, "5");
  EXPECT_EQ(SessionFootLines(*core_)->Information, "Kayak, 62 Kg, Fan: 5, avg. filter: 4 strokes, 3-7-2024");
}

TEST_F(FootTextTest, ASingleBlankCountsAsText) {
  PersonalData& online = CoreStateForTests::Session(*core_).OnlinePersonalData;
  online.SetText(PersonNameField, " ");
  online.SetText(FanResistanceField, " ");
  EXPECT_EQ(SessionFootLines(*core_)->Information, " , 62 Kg, Fan:  , avg. filter: 4 strokes, 3-7-2024");
  online.SetText(PersonNameField, "");
  EXPECT_EQ(SessionFootLines(*core_)->Information, "62 Kg, Fan:  , avg. filter: 4 strokes, 3-7-2024");
}

TEST_F(FootTextTest, FileViewUsesTheOpenedFileAndNoWeightMeansNoLines) {
  core_->ShowFileGraph();
  EXPECT_FALSE(SessionFootLines(*core_));  // the file's personal data is still empty
  PersonalData& file = CoreStateForTests::File(*core_).FilePersonalData;
  file.SetText(WeightTextField, "80");
  file.SetText(SessionDateField, "12-31-2023");
  const std::optional<FootLines> lines = SessionFootLines(*core_);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->RecordPath, "/data/opened_01.vrc");
  EXPECT_EQ(lines->Information, "80 Kg, avg. filter: 4 strokes, 12-31-2023");
}

}  // namespace
}  // namespace veltrasko

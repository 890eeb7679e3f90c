// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/option_values.h"

#include <gtest/gtest.h>

namespace veltrasko {
namespace {

TEST(ReadLeadingIntegerTest, TakesTheLeadingDigitsAfterBlanksAndOneSign) {
  EXPECT_EQ(ReadLeadingInteger("250"), 250);
  EXPECT_EQ(ReadLeadingInteger("12abc"), 12);
  EXPECT_EQ(ReadLeadingInteger("  +7"), 7);
  EXPECT_EQ(ReadLeadingInteger(" -5"), -5);
  EXPECT_EQ(ReadLeadingInteger("007 1"), 7);
  EXPECT_EQ(ReadLeadingInteger("99999999999999"), INT32_MAX);
}

TEST(ReadLeadingIntegerTest, FindsNothingWithoutADigitAfterTheSign) {
  EXPECT_EQ(ReadLeadingInteger(""), std::nullopt);
  EXPECT_EQ(ReadLeadingInteger("abc"), std::nullopt);
  EXPECT_EQ(ReadLeadingInteger("- 5"), std::nullopt);
  EXPECT_EQ(ReadLeadingInteger("+-5"), std::nullopt);
  EXPECT_EQ(ReadLeadingInteger("   "), std::nullopt);
}

TEST(SafeForGraphsTest, ReplacesOnlyFiltersAndWindowsTheGraphsCannotUse) {
  UserSettings handEdited = UserSettings::Defaults();
  handEdited.SetAverageFilter(0);
  handEdited.SetOnlineWindowDistance(0);
  handEdited.SetOnlineWindowTime(-3);
  handEdited.SetLineWidthLevel(0);
  const UserSettings safe = SafeForGraphs(handEdited);
  EXPECT_EQ(safe.AverageFilter(), 4);
  EXPECT_EQ(safe.OnlineWindowDistance(), 250);
  EXPECT_EQ(safe.OnlineWindowTime(), 60);
  EXPECT_EQ(safe.LineWidthLevel(), 0);

  handEdited.SetAverageFilter(11);
  EXPECT_EQ(SafeForGraphs(handEdited).AverageFilter(), 4);
  // An odd length is an unusual choice, not a danger: it stays.
  handEdited.SetAverageFilter(5);
  handEdited.SetOnlineWindowDistance(1);
  handEdited.SetOnlineWindowTime(1234567);
  EXPECT_EQ(SafeForGraphs(handEdited), handEdited);
}

}  // namespace
}  // namespace veltrasko

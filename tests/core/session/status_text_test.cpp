// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "screen/program_texts.h"

namespace veltrasko {
namespace {

TEST(StatusText, NumbersFollowTheirWordsAndANumberAtTheEndIsCut) {
  EXPECT_EQ(StrokesText(0).View(), " Strokes: 0");
  EXPECT_EQ(WeightText(-5).View(), " Weight: -5 Kg");

  // Three places left: the number's first three characters stand, as a long path is cut.
  StatusText text;
  text.Append(std::string(508, 'x')).Append(-123456);
  EXPECT_EQ(text.View().size(), 511u);
  EXPECT_EQ(text.View().substr(508), "-12");
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_identification.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace veltrasko {
namespace {

TEST(BoxIdentification, RequiresBothIdsAndBothPrefixes) {
  EXPECT_TRUE(PassesBoxIdentification(0x16C0, 0x1503, L"Veltrasko", L"Corvane"));
  EXPECT_TRUE(PassesBoxIdentification(0x16C0, 0x1503, L"Veltrasko Computer Box", L"Corvane Sport ApS"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C1, 0x1503, L"Veltrasko", L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1504, L"Veltrasko", L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, L"Veltrask", L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, L"Veltrasko", L"Corvan"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, L"veltrasko", L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, L"The Veltrasko", L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, nullptr, L"Corvane"));
  EXPECT_FALSE(PassesBoxIdentification(0x16C0, 0x1503, L"Veltrasko", nullptr));
}

TEST(BoxIdentification, SerialNumberTextReadsAsUnsignedDecimal) {
  EXPECT_EQ(SerialNumberValue("1001"), 1001u);
  EXPECT_EQ(SerialNumberValue("  57"), 57u);
  EXPECT_EQ(SerialNumberValue("0042"), 42u);
  EXPECT_EQ(SerialNumberValue("12AB34"), 12u);
  EXPECT_EQ(SerialNumberValue(""), 0u);
  EXPECT_EQ(SerialNumberValue("ABC"), 0u);
  EXPECT_EQ(SerialNumberValue("-5"), 0u);
  EXPECT_EQ(SerialNumberValue("4294967295"), 4294967295u);
  EXPECT_EQ(SerialNumberValue("4294967296"), 4294967295u);
  EXPECT_EQ(SerialNumberValue("123456789012345678901234567890"), 4294967295u);
}

TEST(BoxIdentification, NarrowTextKeepsAsciiOnly) {
  EXPECT_EQ(NarrowSerialText(L"0042"), "0042");
  EXPECT_EQ(NarrowSerialText(L"A\u00E9B"), "A?B");
  EXPECT_EQ(NarrowSerialText(nullptr), "");
}

TEST(BoxIdentification, OpenTextHasNoLeadingZerosAndFitsTheLargestNumber) {
  EXPECT_EQ(std::wcscmp(FormatSerialNumber(42).data(), L"42"), 0);
  EXPECT_EQ(std::wcscmp(FormatSerialNumber(0).data(), L"0"), 0);
  EXPECT_EQ(std::wcscmp(FormatSerialNumber(4294967295u).data(), L"4294967295"), 0);
}

}  // namespace
}  // namespace veltrasko

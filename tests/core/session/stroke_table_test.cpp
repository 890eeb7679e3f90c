// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/stroke_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrasko {
namespace {

std::vector<std::uint16_t> WalkedStrokeNumbers(const StrokeTable& table) {
  std::vector<std::uint16_t> numbers;
  table.ForEachRow([&](const StrokeRow& row) { numbers.push_back(row.StrokeNumber); });
  return numbers;
}

void AddStroke(StrokeTable& table, std::uint16_t strokeNumber, bool accepted) {
  StrokeRow& row = table.WorkingRow();
  row.Side = 1;
  row.StrokeNumber = strokeNumber;
  table.FinishStroke(accepted);
}

TEST(StrokeTable, NewTableIsEmpty) {
  StrokeTable table;
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_TRUE(table.Empty());
  EXPECT_EQ(table[0].Side, EndMarker);
  EXPECT_EQ(&table.WorkingRow(), &table[0]);
  EXPECT_TRUE(WalkedStrokeNumbers(table).empty());
}

TEST(StrokeTable, AcceptedStrokesAreWalkedInArrivalOrderAndRejectedOnesVanish) {
  StrokeTable table;
  AddStroke(table, 1, true);
  AddStroke(table, 2, false);
  AddStroke(table, 3, true);
  AddStroke(table, 4, false);

  EXPECT_EQ(table.Count(), 2u);
  EXPECT_FALSE(table.Empty());
  EXPECT_EQ(WalkedStrokeNumbers(table), (std::vector<std::uint16_t>{1, 3}));
  EXPECT_EQ(table[2].Side, EndMarker);
  EXPECT_EQ(&table.WorkingRow(), &table[2]);
}

TEST(StrokeTable, MarkEmptyStartsOverAtRowZero) {
  StrokeTable table;
  AddStroke(table, 1, true);
  AddStroke(table, 2, true);
  table.MarkEmpty();

  EXPECT_EQ(table.Count(), 0u);
  EXPECT_TRUE(table.Empty());
  EXPECT_TRUE(WalkedStrokeNumbers(table).empty());

  AddStroke(table, 7, true);
  EXPECT_EQ(WalkedStrokeNumbers(table), (std::vector<std::uint16_t>{7}));
}

TEST(StrokeTable, FullTableKeepsItsRowsAndComputesFurtherStrokesIntoTheSpareRow) {
  StrokeTable table;
  for (std::uint32_t i = 0; i < StrokeTableCapacity; ++i) AddStroke(table, static_cast<std::uint16_t>(i), true);
  ASSERT_EQ(table.Count(), StrokeTableCapacity);
  const StrokeRow lastStored = table[StrokeTableCapacity - 1];

  for (int extra = 0; extra < 5; ++extra) {
    StrokeRow& spare = table.WorkingRow();
    EXPECT_NE(&spare, &table[StrokeTableCapacity - 1]);
    spare.Side = 0;
    spare.StrokeNumber = 60000;
    spare.Speed = 99.0f;
    table.FinishStroke(true);
  }

  EXPECT_EQ(table.Count(), StrokeTableCapacity);
  EXPECT_EQ(table[StrokeTableCapacity - 1].StrokeNumber, lastStored.StrokeNumber);
  EXPECT_EQ(table[StrokeTableCapacity - 1].Speed, lastStored.Speed);
  std::uint32_t walked = 0;
  table.ForEachRow([&](const StrokeRow&) { ++walked; });
  EXPECT_EQ(walked, StrokeTableCapacity);
}

}  // namespace
}  // namespace veltrasko

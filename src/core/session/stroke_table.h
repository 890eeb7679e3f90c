// SPDX-License-Identifier: GPL-3.0-or-later
// One computed stroke and the fixed table of a session's strokes. The table
// is allocated once and never on the data path; the row after the last
// accepted stroke is the working row and carries the end marker.
#pragma once

#include <cstdint>
#include <memory>

namespace veltrasko {

inline constexpr std::uint8_t EndMarker = 100;
inline constexpr std::uint32_t StrokeTableCapacity = 100000;

struct StrokeRow {
  std::uint8_t Side = EndMarker;
  std::uint16_t StrokeNumber = 0;
  std::uint8_t StrokeSpan = 0;
  float TotalDistance = 0;
  float Speed = 0;
  float StrokeDistance = 0;
  float Power = 0;
  float Work = 0;
  float StrokeRate = 0;
  float WaterPercent = 0;
  float StrokeTime = 0;
  float WaterDistance = 0;
  float AirTime = 0;
  float TotalWork = 0;
  float PaddleTime = 0;
  float ClockTime = 0;
  float HeartRate = 0;

  bool operator==(const StrokeRow&) const = default;
};

class StrokeTable {
 public:
  StrokeTable();

  // Row 0 carries the end marker, the count is 0.
  void MarkEmpty();

  // The row the next stroke is computed into: row Count(). When the table is
  // full this is the spare row after the last one, never a stored row.
  StrokeRow& WorkingRow() { return rows_[count_]; }

  // After a computed stroke: count it if accepted and there is room, then put
  // the end marker behind the last accepted row.
  void FinishStroke(bool accepted);

  std::uint32_t Count() const { return count_; }
  bool Empty() const { return rows_[0].Side == EndMarker; }
  const StrokeRow& operator[](std::uint32_t index) const { return rows_[index]; }

  // Visits rows from row 0 until the end marker or the capacity, as every
  // reader of a table does.
  template <typename Visit>
  void ForEachRow(Visit&& visit) const {
    for (std::uint32_t i = 0; i < StrokeTableCapacity && rows_[i].Side != EndMarker; ++i) visit(rows_[i]);
  }

 private:
  std::unique_ptr<StrokeRow[]> rows_;  // capacity + 1: the spare working row
  std::uint32_t count_ = 0;
};

}  // namespace veltrasko

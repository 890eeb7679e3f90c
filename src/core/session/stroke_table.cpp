// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/stroke_table.h"

namespace veltrasko {

StrokeTable::StrokeTable() : rows_(std::make_unique<StrokeRow[]>(StrokeTableCapacity + 1)) { MarkEmpty(); }

void StrokeTable::MarkEmpty() {
  count_ = 0;
  rows_[0].Side = EndMarker;
}

void StrokeTable::FinishStroke(bool accepted) {
  // Once full, strokes keep landing in the spare row and are dropped here.
  if (accepted && count_ < StrokeTableCapacity) ++count_;
  rows_[count_].Side = EndMarker;
}

}  // namespace veltrasko

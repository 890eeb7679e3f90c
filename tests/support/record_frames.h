// SPDX-License-Identifier: GPL-3.0-or-later
// Walks the bytes of a record file frame by frame, independently of the
// scanner: what a recording left behind, whole frames counted by kind,
// checksums verified, and where the first bytes lie that are no whole frame;
// and whether stroke numbers count up as a box numbers them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"

namespace veltrasko::test {

struct RecordFrames {
  int PersonalDataFrames = 0;
  int SessionStartFrames = 0;
  int StrokeFrames = 0;
  // Stroke numbers in file order.
  std::vector<std::uint16_t> StrokeNumbers;
  // Bytes after the last whole frame; a write cut short leaves the start of
  // a frame there.
  std::size_t TailLength = 0;
  // The tail is not the start of any frame, or a whole frame is damaged:
  // the record was corrupted, not merely cut off.
  bool Damaged = false;
};

// The kind of frame the bytes begin with. A cut-off tag matches several
// kinds; any of them explains a tail.
inline const FrameTag* FrameTagAt(std::span<const std::uint8_t> bytes) {
  for (const FrameTag* tag : {&StrokeTag, &SessionStartTag, &PersonalDataTag}) {
    const std::size_t compared = std::min(bytes.size(), tag->size());
    if (std::equal(tag->begin(), tag->begin() + static_cast<std::ptrdiff_t>(compared), bytes.begin())) return tag;
  }
  return nullptr;
}

inline std::size_t WholeFrameLength(const FrameTag& tag) {
  if (tag == StrokeTag) return static_cast<std::size_t>(FrameLengths.StrokeFrame);
  if (tag == SessionStartTag) return static_cast<std::size_t>(FrameLengths.SessionStartFrame);
  return static_cast<std::size_t>(FrameLengths.PersonalDataFrame);
}

inline RecordFrames WalkRecordFrames(std::span<const std::uint8_t> bytes) {
  RecordFrames frames;
  std::size_t position = 0;
  while (position < bytes.size()) {
    const std::span<const std::uint8_t> rest = bytes.subspan(position);
    const FrameTag* tag = FrameTagAt(rest);
    if (tag == nullptr) {
      frames.Damaged = true;
      return frames;
    }
    const std::size_t length = WholeFrameLength(*tag);
    if (rest.size() < length) {
      frames.TailLength = rest.size();
      return frames;
    }
    const std::span<const std::uint8_t> payload = rest.subspan(tag->size(), length - tag->size());
    if (*tag == StrokeTag) {
      StrokeMessage stroke;
      frames.Damaged = frames.Damaged || DecodeStroke(payload, stroke) != 0;
      frames.StrokeNumbers.push_back(stroke.StrokeNumber());
      ++frames.StrokeFrames;
    } else if (*tag == SessionStartTag) {
      SessionStartMessage start;
      frames.Damaged = frames.Damaged || DecodeSessionStart(payload, start) != 0;
      ++frames.SessionStartFrames;
    } else {
      ++frames.PersonalDataFrames;
    }
    position += length;
  }
  return frames;
}

// True when the numbers run 1, 2, 3, ... without a gap or a repeat.
inline bool CountsUpFromOne(const std::vector<std::uint16_t>& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] != i + 1) return false;
  }
  return true;
}

}  // namespace veltrasko::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_packer.h"

#include <algorithm>

namespace veltrasko::boxsim {

void ReportPacker::Enqueue(std::vector<std::uint8_t> frame) {
  if (frame.empty()) return;
  queuedBytes_ += frame.size();
  frames_.push_back(std::move(frame));
}

void ReportPacker::Clear() {
  frames_.clear();
  frontOffset_ = 0;
  queuedBytes_ = 0;
}

bool ReportPacker::NextReport(std::span<std::uint8_t> report, bool flush) {
  if (queuedBytes_ == 0) return false;
  if (packing_ == ReportPacking::Split && queuedBytes_ < reportLength_ && !flush) return false;

  std::size_t used = 0;
  while (!frames_.empty()) {
    const std::vector<std::uint8_t>& frame = frames_.front();
    const std::size_t remaining = frame.size() - frontOffset_;
    const std::size_t room = reportLength_ - used;
    const auto from = frame.begin() + static_cast<std::ptrdiff_t>(frontOffset_);
    if (remaining <= room) {
      std::copy(from, frame.end(), report.begin() + static_cast<std::ptrdiff_t>(used));
      used += remaining;
      frames_.pop_front();
      frontOffset_ = 0;
      if (packing_ == ReportPacking::OneFrame) break;
      continue;
    }
    // Only a split stream, or a frame longer than a report, continues in the
    // next report; otherwise the frame waits for a report of its own.
    if (packing_ == ReportPacking::Split || used == 0) {
      std::copy(from, from + static_cast<std::ptrdiff_t>(room), report.begin() + static_cast<std::ptrdiff_t>(used));
      frontOffset_ += room;
      used = reportLength_;
    }
    break;
  }
  queuedBytes_ -= used;
  std::fill(report.begin() + static_cast<std::ptrdiff_t>(used),
            report.begin() + static_cast<std::ptrdiff_t>(reportLength_), 0);
  return true;
}

}  // namespace veltrasko::boxsim

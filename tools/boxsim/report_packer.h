// SPDX-License-Identifier: GPL-3.0-or-later
// Lays the box's outgoing frames into fixed-length input reports, the way the
// chosen packing asks for; a frame that does not fit continues in the next
// report, and zero fill only ever follows the end of a frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "boxsim_options.h"

namespace veltrasko::boxsim {

class ReportPacker {
 public:
  ReportPacker(ReportPacking packing, std::size_t reportLength) : packing_(packing), reportLength_(reportLength) {}

  void Enqueue(std::vector<std::uint8_t> frame);
  void Clear();
  std::size_t QueuedBytes() const { return queuedBytes_; }

  // Writes the next report (reportLength bytes) and returns true, or returns
  // false when none is ready. A split stream waits for a full report unless
  // flush is given.
  bool NextReport(std::span<std::uint8_t> report, bool flush);

 private:
  ReportPacking packing_;
  std::size_t reportLength_;
  std::deque<std::vector<std::uint8_t>> frames_;
  std::size_t frontOffset_ = 0;  // bytes of the front frame already sent
  std::size_t queuedBytes_ = 0;
};

}  // namespace veltrasko::boxsim

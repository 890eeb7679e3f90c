// SPDX-License-Identifier: GPL-3.0-or-later
// One simulated computer box: answers the program's commands in its byte
// stream, paddles a session after each reset and can be unplugged and
// plugged in again. Powered by the ergometer, it paddles on while away and
// holds what it could not send. Not thread-safe on its own; the simulator
// serialises every call.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "boxsim_options.h"
#include "protocol/frame_scanner.h"
#include "report_packer.h"
#include "tools/vrcgen/paddling_model.h"

namespace veltrasko::boxsim {

using Clock = std::chrono::steady_clock;

class SimulatedBox {
 public:
  SimulatedBox(BoxListing listing, const BoxsimOptions& options);

  const BoxListing& Listing() const { return listing_; }
  bool Unplugged() const { return unplugged_; }
  // Gone; back after the options' time away, if they give one.
  void Unplug(Clock::time_point now);
  void PlugIn() { unplugged_ = false; }
  bool ReturnDue(Clock::time_point now) const { return unplugged_ && returnAt_ && now >= *returnAt_; }
  // Counts the unplugs: a device opened before the last one stays gone.
  unsigned Attachment() const { return attachment_; }

  // The program let go of the box: it falls quiet and drops what it held.
  void Close();

  // The next input report cut to data's size: its length, 0 when none is
  // waiting, -1 once the box is gone.
  int ReadReport(std::span<std::uint8_t> data, Clock::time_point now);
  // One output report (report ID first): its length, or -1 once the box is gone.
  int WriteReport(std::span<const std::uint8_t> report, Clock::time_point now);

 private:
  void HandleCommand(std::uint8_t kind, Clock::time_point now);
  void ResetComputer(Clock::time_point now);
  void StartPaddling(Clock::time_point now);
  bool NextGarbageReport(std::span<std::uint8_t> report);
  void EnqueueDueStrokes(Clock::time_point now);
  void EnqueueFrame(const FrameTag& tag, std::span<const std::uint8_t> payload, Clock::time_point now);
  bool FlushDue(Clock::time_point now) const;

  BoxListing listing_;
  const BoxsimOptions& options_;
  ReportPacker packer_;
  PaddlingModel model_;
  bool unplugged_ = false;
  bool unpluggedAfterReports_ = false;
  std::optional<Clock::time_point> returnAt_;
  unsigned attachment_ = 0;
  bool paddling_ = false;
  Clock::time_point sessionStart_{};
  Clock::time_point lastEnqueue_{};
  std::optional<StrokeMessage> nextStroke_;
  // The box's 32-bit tick clock wraps after about 2 h 23 min; stroke due
  // times are kept on a clock that does not.
  std::uint64_t nextStrokeTicks_ = 0;
  std::uint32_t lastClockTicks_ = 0;
  unsigned strokesSent_ = 0;
  unsigned framesSent_ = 0;
  unsigned reportsDelivered_ = 0;
  unsigned garbageReportsLeft_ = 0;
  std::mt19937 garbage_;
};

}  // namespace veltrasko::boxsim

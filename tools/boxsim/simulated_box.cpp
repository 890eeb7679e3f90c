// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulated_box.h"

#include <algorithm>
#include <array>

#include "protocol/box_commands.h"
#include "protocol/box_messages.h"
#include "session/stroke_computation.h"

namespace veltrasko::boxsim {
namespace {

// Garbage holds no 0xFF, so it can never be mistaken for part of a tag.
constexpr std::array<std::uint8_t, 5> Garbage{0x47, 0x41, 0x52, 0x42, 0x00};

// A split stream sends the rest of its bytes once the box has had nothing new
// to say for this long.
constexpr auto SplitFlushDelay = std::chrono::milliseconds(50);

// More strokes than this per read would only mean the pace outruns the poll.
constexpr int MaxStrokesPerRead = 8;

}  // namespace

SimulatedBox::SimulatedBox(BoxListing listing, const BoxsimOptions& options)
    : listing_(std::move(listing)),
      options_(options),
      packer_(options.Packing, options.ReportLength),
      model_(options.Seed, PaddlingFaults{.PauseEvery = options.PauseEvery}),
      garbage_(static_cast<std::mt19937::result_type>(options.Seed)) {}

void SimulatedBox::Unplug(Clock::time_point now) {
  unplugged_ = true;
  ++attachment_;
  returnAt_.reset();
  if (options_.UnplugForSeconds > 0.0) {
    returnAt_ =
        now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options_.UnplugForSeconds));
  }
}

void SimulatedBox::Close() {
  packer_.Clear();
  paddling_ = false;
}

int SimulatedBox::ReadReport(std::span<std::uint8_t> data, Clock::time_point now) {
  if (options_.UnplugAfterReports != 0 && reportsDelivered_ >= options_.UnplugAfterReports && !unpluggedAfterReports_) {
    unpluggedAfterReports_ = true;
    Unplug(now);
  }
  if (unplugged_) return -1;
  EnqueueDueStrokes(now);
  std::array<std::uint8_t, MaxReportLength> report{};
  const std::span<std::uint8_t> reportBytes(report.data(), options_.ReportLength);
  if (!packer_.NextReport(reportBytes, FlushDue(now)) && !NextGarbageReport(reportBytes)) return 0;
  ++reportsDelivered_;
  const std::size_t count = std::min(data.size(), reportBytes.size());
  std::copy_n(report.begin(), count, data.begin());
  return static_cast<int>(count);
}

int SimulatedBox::WriteReport(std::span<const std::uint8_t> report, Clock::time_point now) {
  if (unplugged_) return -1;
  // Byte 0 is the report ID; each command is a status-tagged 25-byte message.
  const std::size_t frameLength = StatusTag.size() + StatusPayloadLength;
  for (std::size_t p = 1; p + frameLength <= report.size(); ++p) {
    if (!std::equal(StatusTag.begin(), StatusTag.end(), report.begin() + static_cast<std::ptrdiff_t>(p))) continue;
    HandleCommand(report[p + StatusTag.size() + 22], now);
    p += frameLength - 1;
  }
  return static_cast<int>(report.size());
}

void SimulatedBox::HandleCommand(std::uint8_t kind, Clock::time_point now) {
  switch (kind) {
    case KindConnect:
      if (options_.NeverConfirm) break;
      EnqueueFrame(StatusTag, EncodeStatus(KindConnectionStatus, 1).Bytes, now);
      // Connected again after an unplug, the box paddles on.
      if (options_.PaddlingAtConnect && !paddling_) StartPaddling(now);
      break;
    case KindReset: ResetComputer(now); break;
    case KindDisconnect: paddling_ = false; break;
    default: break;
  }
}

void SimulatedBox::ResetComputer(Clock::time_point now) {
  StartPaddling(now);
  garbageReportsLeft_ = options_.GarbageReports;
  EnqueueFrame(SessionStartTag, EncodeSessionStart(options_.BoxVersion, options_.Weight).Bytes, now);
}

void SimulatedBox::StartPaddling(Clock::time_point now) {
  model_.ResetBox();
  nextStroke_.reset();
  nextStrokeTicks_ = 0;
  lastClockTicks_ = 0;
  strokesSent_ = 0;
  paddling_ = true;
  sessionStart_ = now;
}

bool SimulatedBox::NextGarbageReport(std::span<std::uint8_t> report) {
  // Garbage never lands inside a frame that is still being sent.
  if (garbageReportsLeft_ == 0 || packer_.QueuedBytes() != 0) return false;
  --garbageReportsLeft_;
  std::uniform_int_distribution<unsigned> byte(0, 255);
  for (std::uint8_t& b : report) b = static_cast<std::uint8_t>(byte(garbage_));
  return true;
}

void SimulatedBox::EnqueueDueStrokes(Clock::time_point now) {
  if (!paddling_) return;
  const double boxSeconds = std::chrono::duration<double>(now - sessionStart_).count() * options_.Pace;
  for (int i = 0; i < MaxStrokesPerRead; ++i) {
    if (options_.StrokeLimit != 0 && strokesSent_ >= options_.StrokeLimit) return;
    if (!nextStroke_) {
      nextStroke_ = model_.NextStroke();
      const std::uint32_t ticks = nextStroke_->ClockTicks();
      nextStrokeTicks_ += static_cast<std::uint32_t>(ticks - lastClockTicks_);
      lastClockTicks_ = ticks;
    }
    if (static_cast<double>(nextStrokeTicks_) / StrokeConstants::TicksPerSecond > boxSeconds) return;
    StrokeMessage stroke = *nextStroke_;
    nextStroke_.reset();
    ++strokesSent_;
    if (options_.BadChecksumEvery != 0 && strokesSent_ % options_.BadChecksumEvery == 0) {
      WriteU16(stroke.Bytes, 32, static_cast<std::uint16_t>(stroke.StrokeChecksum() + 1));
    }
    EnqueueFrame(StrokeTag, stroke.Bytes, now);
  }
}

void SimulatedBox::EnqueueFrame(const FrameTag& tag, std::span<const std::uint8_t> payload, Clock::time_point now) {
  std::vector<std::uint8_t> frame;
  ++framesSent_;
  if (options_.GarbageEvery != 0 && framesSent_ % options_.GarbageEvery == 0) {
    frame.insert(frame.end(), Garbage.begin(), Garbage.end());
  }
  frame.insert(frame.end(), tag.begin(), tag.end());
  frame.insert(frame.end(), payload.begin(), payload.end());
  packer_.Enqueue(std::move(frame));
  lastEnqueue_ = now;
}

bool SimulatedBox::FlushDue(Clock::time_point now) const { return now - lastEnqueue_ >= SplitFlushDelay; }

}  // namespace veltrasko::boxsim

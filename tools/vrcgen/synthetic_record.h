// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a synthetic record file through the program's own record writers:
// a personal-data frame, a session-start frame and the paddling model's
// stroke frames, with file-level faults on request. Same options, same bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/personal_data.h"
#include "tools/vrcgen/paddling_model.h"

namespace veltrasko {

struct SyntheticRecordOptions {
  std::string OutputPath;
  std::uint32_t StrokesPerSession = 300;
  // Later sessions follow as after a reset of the box inside a continued
  // file: stroke numbers and counters start again, no second session-start frame.
  std::uint32_t Sessions = 1;
  std::uint64_t Seed = 1;
  std::int16_t Weight = 80;
  std::int16_t BoxVersion = 118;
  std::string Name = "Kayak";
  std::string FanResistance = "5";
  CalendarDate Date{2024, 3, 7};
  PaddlingFaults Faults;
  // Every n-th stroke frame (0: none) gets a wrong checksum / is followed by garbage.
  std::uint32_t BadChecksumEvery = 0;
  std::uint32_t GarbageEvery = 0;
  bool BadSessionStart = false;
  // The last stroke frame stops halfway, as after a short write.
  bool TruncateLastFrame = false;
  // A personal-data frame carrying this name appended at the end, as the
  // Personal data dialog does.
  std::optional<std::string> AppendedName;
};

// The payload bytes the truncated last frame keeps.
inline constexpr std::size_t TruncatedPayloadLength = 17;

// False, with the reason in error, when the file cannot be created or written.
bool WriteSyntheticRecord(const SyntheticRecordOptions& options, std::string& error);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// A stroke table as a FIT activity file, the format the training platforms
// take: the device that made it, a timer start and stop, one record per
// stroke, one lap per session of the table, the session and the activity.
// Sessions after the first follow on directly, in time and in distance, so
// that the activity never runs backwards where the box was reset.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_writer.h"
#include "export/fit_start_time.h"
#include "export/session_summary.h"
#include "session/stroke_table.h"

namespace veltrasko {

inline constexpr std::string_view FitProductName = "Veltrasko Analyser";

struct FitActivitySource {
  const StrokeTable& Strokes;
  const std::vector<SessionSummary>& Sessions;  // SummariseSessions(Strokes)
  std::int64_t StartUnix;                       // seconds since 1970-01-01 UTC
  std::int64_t LocalOffset;                     // seconds the local clock is ahead of UTC
  std::string_view SoftwareVersion;             // "1.61"
};

// The whole file; the table must not be empty.
std::vector<std::uint8_t> EncodeFitActivity(const FitActivitySource& source);

// The FIT export of a view, as the window and the exporter write it: the
// start from givenStart or else from the record file and its personal data.
// False when the file cannot be written.
bool WriteFitExport(const std::string& path, const ExportSource& source, std::optional<LocalSeconds> givenStart,
                    std::string_view softwareVersion);

// The record file path with ".vrc" (its last four characters) replaced by ".fit".
std::string ProposedFitName(std::string_view recordPath);

}  // namespace veltrasko

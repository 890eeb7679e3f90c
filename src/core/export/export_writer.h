// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the strokes of one view to a text file a spreadsheet reads: a header
// block with the personal data and the session's origin, a heading line, and
// one line of fifteen values per stroke, in the user's separator, decimal
// symbol and speed unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "session/analyser_core.h"
#include "session/stroke_table.h"
#include "settings/personal_data.h"
#include "settings/user_settings.h"

namespace veltrasko {

// What an export reads of the view being exported.
struct ExportSource {
  const StrokeTable& Strokes;
  std::int16_t BoxVersion;
  std::int16_t Weight;
  std::string_view RecordFilePath;
  const PersonalData& Personal;
};

// The view the graphs show: the live session when OnlineShown, else the file.
ExportSource ShownExportSource(const AnalyserCore& core);

enum class ExportResult { Written, NotCreated, NotWritten };

// Creates (or replaces) the file and writes the whole export in one pass.
ExportResult WriteExportFile(const std::string& path, const ExportSource& source, const UserSettings& settings);

// Rewrites one line in place: '.' to ',' for the decimal comma, then ';' to
// ',' or to a tab for the chosen separator.
void ApplyExportSymbols(char* line, std::size_t length, const UserSettings& settings);

// The record file path without its last four characters (".vrc"); empty for
// a shorter path.
std::string ProposedExportName(std::string_view recordPath);

}  // namespace veltrasko

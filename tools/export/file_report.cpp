// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/file_report.h"

namespace veltrasko {

namespace {

constexpr std::string_view ToolPrefix = "veltrasko-export: ";

int Severity(ExportExitCode code) {
  switch (code) {
    case ExportWritten: return 0;
    case ExportNoData: return 1;
    case ExportRecordUnreadable: return 2;
    case ExportOutputFailed: return 3;
    case ExportBadUsage: return 4;
  }
  return 4;
}

}  // namespace

FileReport::FileReport(std::FILE* errors, std::string_view recordPath, bool batch)
    : errors_(errors), filePrefix_(batch ? std::string(recordPath) + ": " : std::string()) {}

void FileReport::WindowMessage(std::string_view message) { Line(filePrefix_, message); }

void FileReport::ToolMessage(std::string_view message) {
  Line(filePrefix_.empty() ? ToolPrefix : std::string_view(filePrefix_), message);
}

void FileReport::Done(std::string_view what) {
  if (!filePrefix_.empty()) Line(filePrefix_, what);
}

void FileReport::Line(std::string_view prefix, std::string_view text) {
  std::fprintf(errors_, "%.*s%.*s\n", static_cast<int>(prefix.size()), prefix.data(), static_cast<int>(text.size()),
               text.data());
}

ExportExitCode WorseExitCode(ExportExitCode first, ExportExitCode second) {
  return Severity(second) > Severity(first) ? second : first;
}

}  // namespace veltrasko

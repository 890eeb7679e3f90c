// SPDX-License-Identifier: GPL-3.0-or-later
// Exports record files the way a freshly started analyser would after
// opening each as its first file and choosing "Export data...": same reader,
// same export writer, so the output matches the window's byte for byte. Or
// writes their session summaries, as the window's "Session summary..." shows them.
#pragma once

#include <cstdio>

#include "tools/export/export_options.h"

namespace veltrasko {

enum ExportExitCode : int {
  ExportWritten = 0,
  ExportBadUsage = 2,
  ExportRecordUnreadable = 3,
  ExportOutputFailed = 4,
  ExportNoData = 5,
};

// Works through every record file, whatever happened to the ones before;
// reports on errors and returns the worst file's exit code.
ExportExitCode RunExport(const ExportArguments& arguments, std::FILE* errors);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// Exports one record file the way a freshly started analyser would after
// opening it as its first file and choosing "Export data...": same reader,
// same export writer, so the output matches the window's byte for byte.
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

// Reports failures on errors; returns the exit code.
ExportExitCode RunExport(const ExportArguments& arguments, std::FILE* errors);

}  // namespace veltrasko

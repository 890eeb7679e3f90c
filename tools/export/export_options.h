// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of veltrasko-export: the export symbols, where the output
// goes, the summary switch and the record files (or folders of them) to
// export, and the usage text shown for a bad one.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/fit_start_time.h"
#include "settings/user_settings.h"

namespace veltrasko {

enum class ExportCommand { Export, ShowHelp, ShowVersion, BadUsage };
enum class ExportFormat { Csv, Fit };

struct ExportArguments {
  ExportCommand Command = ExportCommand::BadUsage;
  // Record files and folders, as given; a folder stands for its *.vrc files.
  std::vector<std::string> Inputs;
  std::optional<std::string> OutputPath;
  std::optional<std::string> OutputFolder;  // -d: every output goes there
  bool Summary = false;                     // the session summary instead of the export
  // The settings file's defaults, with the options applied.
  UserSettings Settings = UserSettings::Defaults();
  ExportFormat Format = ExportFormat::Csv;
  std::optional<LocalSeconds> Start;  // --start, for FIT only
  std::string Error;                  // what was wrong, for BadUsage
};

// arguments excludes the program name.
ExportArguments ParseExportArguments(std::span<const std::string_view> arguments);

// Without -o: the record path without ".vrc", plus ".csv" (or ".fit"). A path
// not ending in ".vrc" keeps its name and gets the extension added, so the
// export never replaces the file it was made from.
std::string DefaultExportPath(std::string_view recordPath, ExportFormat format = ExportFormat::Csv);

std::string_view ExportUsage();

}  // namespace veltrasko

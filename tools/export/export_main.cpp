// SPDX-License-Identifier: GPL-3.0-or-later
// veltrasko-export: writes the export file of a record file from the command line.
#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/command_line/getopt_run.h"
#include "tools/export/export_command.h"

int main(int argc, char** argv) {
  using namespace veltrasko;
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const ExportArguments parsed = ParseExportArguments(arguments);
  switch (parsed.Command) {
    case ExportCommand::ShowHelp:
      std::fwrite(ExportUsage().data(), 1, ExportUsage().size(), stdout);
      return ExportWritten;
    case ExportCommand::ShowVersion: std::fputs(VersionText("veltrasko-export").c_str(), stdout); return ExportWritten;
    case ExportCommand::BadUsage:
      std::fprintf(stderr, "veltrasko-export: %s\n", parsed.Error.c_str());
      std::fwrite(ExportUsage().data(), 1, ExportUsage().size(), stderr);
      return ExportBadUsage;
    case ExportCommand::Export: break;
  }
  return RunExport(parsed, stderr);
}

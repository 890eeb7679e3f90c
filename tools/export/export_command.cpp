// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/export_command.h"

#include <filesystem>
#include <memory>
#include <string>

#include "export/export_writer.h"
#include "export/fit_activity.h"
#include "program_identity.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "screen/quiet_screen.h"

namespace veltrasko {

namespace {

constexpr std::string_view CouldNotOpenMessage = "Could not open file!";

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return std::filesystem::equivalent(first, second, error);
}

bool WriteOutput(const std::string& output, const ExportSource& source, const ExportArguments& arguments) {
  if (arguments.Format == ExportFormat::Fit) return WriteFitExport(output, source, arguments.Start, VELTRASKO_VERSION);
  return WriteExportFile(output, source, arguments.Settings);
}

}  // namespace

ExportExitCode RunExport(const ExportArguments& arguments, std::FILE* errors) {
  // The core holds two full stroke tables: too big for the stack.
  auto core = std::make_unique<AnalyserCore>();
  core->Settings = arguments.Settings;
  QuietScreen screen;
  RecordReader reader(*core, screen.Sinks());
  reader.OpenRecordFile(arguments.RecordPath);
  if (screen.WasShown(CouldNotOpenMessage)) {
    std::fprintf(errors, "%.*s\n", static_cast<int>(CouldNotOpenMessage.size()), CouldNotOpenMessage.data());
    return ExportRecordUnreadable;
  }

  const ExportSource source = ShownExportSource(*core);
  if (source.Strokes.Empty()) {
    std::fprintf(errors, "%.*s\n", static_cast<int>(NoExportDataMessage.size()), NoExportDataMessage.data());
    return ExportNoData;
  }

  const std::string output = arguments.OutputPath.value_or(DefaultExportPath(arguments.RecordPath, arguments.Format));
  if (SameFile(output, arguments.RecordPath)) {
    std::fprintf(errors, "veltrasko-export: %s is the record file itself; not overwritten\n", output.c_str());
    return ExportOutputFailed;
  }
  if (!WriteOutput(output, source, arguments)) {
    std::fprintf(errors, "veltrasko-export: cannot write %s\n", output.c_str());
    return ExportOutputFailed;
  }
  return ExportWritten;
}

}  // namespace veltrasko

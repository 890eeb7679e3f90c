// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/export_command.h"

#include <filesystem>
#include <memory>
#include <string>

#include "export/export_writer.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "screen/program_texts.h"
#include "screen/quiet_screen.h"

namespace veltrasko {

namespace {

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return std::filesystem::equivalent(first, second, error);
}

}  // namespace

ExportExitCode RunExport(const ExportArguments& arguments, std::FILE* errors) {
  // The core holds two full stroke tables: too big for the stack.
  auto core = std::make_unique<AnalyserCore>();
  core->EditSettings() = arguments.Settings;
  QuietScreen screen;
  RecordReader reader(*core, screen.Sinks());
  if (reader.OpenRecordFile(arguments.RecordPath) == RecordOpenResult::Unreadable) {
    std::fprintf(errors, "%.*s\n", static_cast<int>(RecordNotOpenedMessage.size()), RecordNotOpenedMessage.data());
    return ExportRecordUnreadable;
  }

  const ExportSource source = ShownExportSource(*core);
  if (source.Strokes.Empty()) {
    std::fprintf(errors, "%.*s\n", static_cast<int>(NoExportDataMessage.size()), NoExportDataMessage.data());
    return ExportNoData;
  }

  const std::string output = arguments.OutputPath.value_or(DefaultExportPath(arguments.RecordPath));
  if (SameFile(output, arguments.RecordPath)) {
    std::fprintf(errors, "veltrasko-export: %s is the record file itself; not overwritten\n", output.c_str());
    return ExportOutputFailed;
  }
  if (WriteExportFile(output, source, core->Settings()) != ExportResult::Written) {
    std::fprintf(errors, "veltrasko-export: cannot write %s\n", output.c_str());
    return ExportOutputFailed;
  }
  return ExportWritten;
}

}  // namespace veltrasko

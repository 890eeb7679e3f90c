// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/export_command.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "export/export_writer.h"
#include "export/fit_activity.h"
#include "export/summary_text.h"
#include "program_identity.h"
#include "screen/program_texts.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "tools/export/batch_inputs.h"
#include "tools/export/file_report.h"
#include "tools/export/summary_output.h"

namespace veltrasko {

namespace {

// Reads the record file into core as a freshly started analyser opening it
// would; ExportWritten when it holds strokes to work on.
ExportExitCode ReadRecord(const std::string& recordPath, AnalyserCore& core, FileReport& report) {
  QuietScreen screen;
  RecordReader reader(core, screen.Sinks());
  if (reader.OpenRecordFile(recordPath) == RecordOpenResult::Unreadable) {
    report.WindowMessage(RecordNotOpenedMessage);
    return ExportRecordUnreadable;
  }
  if (ShownExportSource(core).Strokes.Empty()) {
    report.WindowMessage(NoExportDataMessage);
    return ExportNoData;
  }
  return ExportWritten;
}

// The core holds two full stroke tables: too big for the stack. Each record
// file gets a fresh one, as if the analyser had just been started.
std::unique_ptr<AnalyserCore> FreshCore(const ExportArguments& arguments) {
  auto core = std::make_unique<AnalyserCore>();
  core->EditSettings() = arguments.Settings;
  return core;
}

bool WriteOutput(const std::string& output, const ExportSource& source, const ExportArguments& arguments) {
  if (arguments.Format == ExportFormat::Fit) return WriteFitExport(output, source, arguments.Start, VELTRASKO_VERSION);
  return WriteExportFile(output, source, arguments.Settings) == ExportResult::Written;
}

ExportExitCode ExportRecordFile(const ExportArguments& arguments, const std::string& recordPath, OutputClaims& claims,
                                FileReport& report) {
  const std::unique_ptr<AnalyserCore> core = FreshCore(arguments);
  const ExportExitCode read = ReadRecord(recordPath, *core, report);
  if (read != ExportWritten) return read;

  const std::string output = arguments.OutputPath.value_or(
      BatchOutputPath(DefaultExportPath(recordPath, arguments.Format), arguments.OutputFolder));
  if (const std::optional<std::string> refusal = claims.Claim(output, recordPath)) {
    report.ToolMessage(*refusal);
    return ExportOutputFailed;
  }
  if (!WriteOutput(output, ShownExportSource(*core), arguments)) {
    report.ToolMessage("cannot write " + output);
    return ExportOutputFailed;
  }
  report.Done("written " + output);
  return ExportWritten;
}

ExportExitCode SummariseRecordFile(const ExportArguments& arguments, const std::string& recordPath,
                                   SummaryOutput& output, FileReport& report) {
  const std::unique_ptr<AnalyserCore> core = FreshCore(arguments);
  const ExportExitCode read = ReadRecord(recordPath, *core, report);
  if (read != ExportWritten) return read;
  return output.Write(recordPath, SummaryText(ShownExportSource(*core), core->Settings()), report);
}

}  // namespace

ExportExitCode RunExport(const ExportArguments& arguments, std::FILE* errors) {
  const RecordInputs inputs = CollectRecordFiles(arguments.Inputs);
  if (arguments.OutputPath && !arguments.Summary && inputs.RecordFiles.size() > 1) {
    std::fprintf(errors, "veltrasko-export: -o names the output of one record file; use -d for several\n");
    return ExportBadUsage;
  }
  ExportExitCode worst = ExportWritten;
  for (const std::string& problem : inputs.Problems) {
    std::fprintf(errors, "veltrasko-export: %s\n", problem.c_str());
    worst = ExportRecordUnreadable;
  }
  if (arguments.OutputFolder) {
    // A folder that cannot be made shows as every output failing to be written.
    std::error_code ignored;
    std::filesystem::create_directories(*arguments.OutputFolder, ignored);
  }

  OutputClaims claims(inputs.RecordFiles);
  std::optional<SummaryOutput> summaries;
  if (arguments.Summary) summaries.emplace(arguments, claims, stdout);
  std::size_t done = 0;
  // One file that fails never stops the others.
  for (const std::string& recordPath : inputs.RecordFiles) {
    FileReport report(errors, recordPath, inputs.Batch);
    const ExportExitCode code = summaries ? SummariseRecordFile(arguments, recordPath, *summaries, report)
                                          : ExportRecordFile(arguments, recordPath, claims, report);
    if (code == ExportWritten) ++done;
    worst = WorseExitCode(worst, code);
  }
  if (summaries) worst = WorseExitCode(worst, summaries->Finish(errors));
  if (inputs.Batch)
    std::fprintf(errors, "veltrasko-export: %zu of %zu record files done\n", done, inputs.RecordFiles.size());
  return worst;
}

}  // namespace veltrasko

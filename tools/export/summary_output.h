// SPDX-License-Identifier: GPL-3.0-or-later
// Where --summary writes each record file's summary: to standard output, all
// into the one -o file, or each into a file of its own in -d's folder.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "tools/export/batch_inputs.h"
#include "tools/export/export_options.h"
#include "tools/export/file_report.h"

namespace veltrasko {

class SummaryOutput {
 public:
  // claims are the call's, shared with its other outputs.
  SummaryOutput(const ExportArguments& arguments, OutputClaims& claims, std::FILE* standardOutput);
  ~SummaryOutput();

  // The summary text of recordPath; files after the first are set off by an
  // empty line where they share an output.
  ExportExitCode Write(const std::string& recordPath, std::string_view text, FileReport& report);
  // Closes the shared output; an output that failed only now is reported.
  ExportExitCode Finish(std::FILE* errors);

 private:
  ExportExitCode WriteShared(const std::string& recordPath, std::string_view text, FileReport& report);
  ExportExitCode WriteOwnFile(const std::string& recordPath, std::string_view text, FileReport& report);

  std::optional<std::string> sharedPath_;     // -o
  std::optional<std::string> folder_;         // -d
  std::FILE* shared_;                         // standard output or the -o file, once opened
  std::optional<std::string> sharedRefusal_;  // why the -o file may not be written
  bool openTried_ = false;
  bool ownsShared_ = false;
  bool anyWritten_ = false;
  OutputClaims& claims_;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/summary_output.h"

namespace veltrasko {

namespace {

bool WriteText(std::FILE* file, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

}  // namespace

SummaryOutput::SummaryOutput(const ExportArguments& arguments, OutputClaims& claims, std::FILE* standardOutput)
    : sharedPath_(arguments.OutputPath),
      folder_(arguments.OutputFolder),
      shared_(arguments.OutputPath ? nullptr : standardOutput),
      claims_(claims) {}

SummaryOutput::~SummaryOutput() {
  if (ownsShared_) std::fclose(shared_);
}

ExportExitCode SummaryOutput::Write(const std::string& recordPath, std::string_view text, FileReport& report) {
  return folder_ ? WriteOwnFile(recordPath, text, report) : WriteShared(recordPath, text, report);
}

ExportExitCode SummaryOutput::WriteShared(const std::string& recordPath, std::string_view text, FileReport& report) {
  const std::string name = sharedPath_.value_or("standard output");
  // Made at the first summary, so that a call without one leaves no file.
  if (sharedPath_ && !openTried_) {
    openTried_ = true;
    sharedRefusal_ = claims_.Claim(*sharedPath_, recordPath);
    if (!sharedRefusal_) shared_ = std::fopen(sharedPath_->c_str(), "wb");
    ownsShared_ = shared_ != nullptr;
  }
  if (sharedRefusal_) {
    report.ToolMessage(*sharedRefusal_);
    return ExportOutputFailed;
  }
  if (shared_ == nullptr || (anyWritten_ && !WriteText(shared_, "\n")) || !WriteText(shared_, text)) {
    report.ToolMessage("cannot write " + name);
    return ExportOutputFailed;
  }
  anyWritten_ = true;
  report.Done("summary written to " + name);
  return ExportWritten;
}

ExportExitCode SummaryOutput::WriteOwnFile(const std::string& recordPath, std::string_view text, FileReport& report) {
  const std::string path = BatchOutputPath(DefaultSummaryPath(recordPath), folder_);
  if (const std::optional<std::string> refusal = claims_.Claim(path, recordPath)) {
    report.ToolMessage(*refusal);
    return ExportOutputFailed;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file != nullptr && WriteText(file, text);
  if (file == nullptr || std::fclose(file) != 0 || !written) {
    report.ToolMessage("cannot write " + path);
    return ExportOutputFailed;
  }
  report.Done("summary written to " + path);
  return ExportWritten;
}

ExportExitCode SummaryOutput::Finish(std::FILE* errors) {
  if (shared_ == nullptr) return ExportWritten;
  bool closed = std::fflush(shared_) == 0;
  if (ownsShared_) {
    closed = std::fclose(shared_) == 0 && closed;
    shared_ = nullptr;
    ownsShared_ = false;
  }
  if (closed) return ExportWritten;
  std::fprintf(errors, "veltrasko-export: cannot write %s\n", sharedPath_.value_or("standard output").c_str());
  return ExportOutputFailed;
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// What the command-line tests share: a temporary folder, the two tools run
// as real processes, and a record file read in-process by the program's own
// reader for comparison.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/process_runner.h"
#include "support/temporary_folder.h"
#include "support/whole_files.h"

namespace veltrasko::test {

// A core after opening one record file, as a freshly started analyser.
struct OpenedRecord {
  std::unique_ptr<AnalyserCore> Core = std::make_unique<AnalyserCore>();
  QuietScreen Screen;

  explicit OpenedRecord(const std::string& path, const UserSettings& settings = UserSettings::Defaults()) {
    Core->EditSettings() = settings;
    RecordReader reader(*Core, Screen.Sinks());
    reader.OpenRecordFile(path);
  }
  const StrokeTable& Strokes() const { return Core->FileStrokes(); }
};

class ToolTest : public ::testing::Test {
 protected:
  ProcessResult RunVrcgen(const std::vector<std::string>& arguments) {
    return RunProcess(ToolPath("VRCGEN"), arguments, folder_.Path().string());
  }
  ProcessResult RunExportTool(const std::vector<std::string>& arguments) {
    return RunProcess(ToolPath("VELTRASKO_EXPORT"), arguments, folder_.Path().string());
  }
  std::string MakeRecord(const std::string& name, std::vector<std::string> arguments = {}) {
    return MakeRecordFile(folder_, name, std::move(arguments));
  }
  std::string File(const std::string& name) const { return folder_.File(name); }

 private:
  TemporaryFolder folder_;
};

}  // namespace veltrasko::test

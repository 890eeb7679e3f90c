// SPDX-License-Identifier: GPL-3.0-or-later
// What a call of veltrasko-export works on and where each output goes: the
// record files given, every *.vrc of a folder given, and the outputs next to
// their record files or together in one folder.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace veltrasko {

struct RecordInputs {
  std::vector<std::string> RecordFiles;  // in the order given, a folder's sorted by name
  // A folder that cannot be listed or holds no record file, with what was wrong.
  std::vector<std::string> Problems;
  bool Batch = false;  // more than one record file, or a folder: each file is reported
};

RecordInputs CollectRecordFiles(const std::vector<std::string>& inputs);

// defaultPath (the output next to the record file) as it is, or its file
// name inside folder.
std::string BatchOutputPath(const std::string& defaultPath, const std::optional<std::string>& folder);

// The summary file of a record file: its path without ".vrc", plus ".summary.txt".
std::string DefaultSummaryPath(std::string_view recordPath);

// Remembers the outputs of one call, so that no output replaces a record
// file of the call (before or after it is read), nor two record files of one
// name from different folders each other's output in -d's folder.
class OutputClaims {
 public:
  explicit OutputClaims(const std::vector<std::string>& recordFiles);

  // Takes output for recordPath; or why not, when it is a record file of
  // this call or the output of an earlier record file.
  std::optional<std::string> Claim(const std::string& output, const std::string& recordPath);

 private:
  std::set<std::string> recordFiles_;  // as AbsolutePath gives them
  std::set<std::string> claimed_;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one of our command-line tools as a real process and collects its exit
// code and what it wrote to stdout and stderr; makes record files with vrcgen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltrasko::test {

struct ProcessResult {
  int ExitCode = -1;  // -1 when the process did not end normally
  std::string Out;
  std::string Err;
};

// program is a path; it runs in captureFolder, and its outputs are captured
// through files there.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& captureFolder);

// The path held by an environment variable the test setup provides.
std::string ToolPath(const char* variable);

class TemporaryFolder;

// Writes a record file into the folder with vrcgen, the extra arguments
// before its path, and returns the path; fails the test if vrcgen does.
std::string MakeRecordFile(const TemporaryFolder& folder, std::string_view name,
                           std::vector<std::string> arguments = {});

}  // namespace veltrasko::test

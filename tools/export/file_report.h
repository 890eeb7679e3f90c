// SPDX-License-Identifier: GPL-3.0-or-later
// What veltrasko-export tells on standard error about each record file. A
// single file is reported as the tool always did: the window's messages as
// they are, the tool's own under its name, nothing when all went well. In a
// batch every line begins with the record file, successes included.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/export/export_command.h"

namespace veltrasko {

class FileReport {
 public:
  FileReport(std::FILE* errors, std::string_view recordPath, bool batch);

  // "Could not open file!" and the other texts the window shows.
  void WindowMessage(std::string_view message);
  // What the tool itself has to say about the file.
  void ToolMessage(std::string_view message);
  // What was written; said in a batch only.
  void Done(std::string_view what);

 private:
  void Line(std::string_view prefix, std::string_view text);

  std::FILE* errors_;
  std::string filePrefix_;  // empty for a single file
};

// The worse of two exit codes: an output not written, then a record file
// not readable, then one without strokes, then success.
ExportExitCode WorseExitCode(ExportExitCode first, ExportExitCode second);

}  // namespace veltrasko

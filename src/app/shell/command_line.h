// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser's command line, read before anything else starts: --help and
// --version are answered without a window, a bad option ends with the usage,
// and otherwise the one optional record file to open is passed on.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace veltrasko {

struct AnalyserCommandLine {
  // Set when the program ends at once: 0 after --help or --version (Output
  // goes to standard output), 2 after a bad option (to standard error).
  std::optional<int> ExitCode;
  QString Output;
  // The record file's path as given, byte for byte; empty for none. A path
  // that begins with '-' comes after "--".
  QByteArray RecordPath;
};

AnalyserCommandLine ReadAnalyserCommandLine(int argc, const char* const* argv);

// Writes Output where it belongs; returns ExitCode.
int AnswerCommandLine(const AnalyserCommandLine& commandLine);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// A test that writes record files into a temporary folder and opens them with
// the program's reader, the screen's side recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko::test {

class RecordReadingTest : public ::testing::Test {
 protected:
  std::string WriteFile(std::string_view name, const Bytes& bytes) {
    const std::string path = folder.File(name);
    WriteWholeFile(path, bytes);
    return path;
  }

  TemporaryFolder folder;
  AnalyserCore core;
  RecordingSinks recorded;
  ScreenSinks sinks = recorded.Sinks();
  RecordReader reader{core, sinks};
};

}  // namespace veltrasko::test

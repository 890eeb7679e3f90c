// SPDX-License-Identifier: GPL-3.0-or-later
// The 100000-stroke record file the core benchmarks read and export, made by
// the paddling model once per program in a temporary folder removed at exit.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/vrcgen/synthetic_record.h"

namespace veltrasko::bench {

inline constexpr std::uint32_t BenchStrokes = 100000;

class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrasko-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot create a temporary folder");
    path_ = pattern;
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }

  static void Fail(const std::string& why) {
    std::fprintf(stderr, "benchmark setup: %s\n", why.c_str());
    std::exit(1);
  }

 private:
  std::filesystem::path path_;
};

// The shared folder and its record file of BenchStrokes plain strokes.
inline const BenchFolder& Folder() {
  static const BenchFolder folder;
  return folder;
}

inline const std::string& BenchRecordPath() {
  static const std::string path = [] {
    SyntheticRecordOptions options;
    options.OutputPath = Folder().File("bench.vrc");
    options.StrokesPerSession = BenchStrokes;
    std::string error;
    if (!WriteSyntheticRecord(options, error)) BenchFolder::Fail(error);
    return options.OutputPath;
  }();
  return path;
}

}  // namespace veltrasko::bench

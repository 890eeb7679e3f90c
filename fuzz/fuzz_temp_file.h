// SPDX-License-Identifier: GPL-3.0-or-later
// A file in /tmp that one fuzzing process rewrites for every input: its path
// is fixed when first used and the file is removed when the process ends.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace veltrasko {

class FuzzTempFile {
 public:
  explicit FuzzTempFile(const char* purpose)
      : path_("/tmp/veltrasko_" + std::string(purpose) + "_" + std::to_string(::getpid())) {}
  ~FuzzTempFile() { Remove(); }
  FuzzTempFile(const FuzzTempFile&) = delete;
  FuzzTempFile& operator=(const FuzzTempFile&) = delete;

  const std::string& Path() const { return path_; }

  // Before the file is written anew: truncating one in place makes ext4 flush
  // it to disk at close, which slows a run to a few hundred inputs a second.
  void Remove() const { std::remove(path_.c_str()); }

  // Replaces the file's content; aborts when it cannot, as a fuzz run that
  // reads a stale file would test nothing.
  void Write(std::span<const std::uint8_t> bytes) const {
    Remove();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr) std::abort();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) std::abort();
  }

  // The whole content, for checks after the code under test wrote it.
  std::string Read() const {
    std::string content;
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr) return content;
    char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) content.append(block, n);
    std::fclose(file);
    return content;
  }

 private:
  std::string path_;
};

// Aborts the fuzz run, so that libFuzzer keeps the input, when a property fails.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace veltrasko

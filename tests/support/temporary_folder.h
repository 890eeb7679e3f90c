// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder of the test's own under GoogleTest's temporary directory,
// removed with everything in it when the test ends; no two tests, nor two
// test programs run side by side, share a name in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrasko::test {

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace veltrasko::test

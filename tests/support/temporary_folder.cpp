// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace veltrasko::test {

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::path(::testing::TempDir()) / "veltrasko-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder " + pattern);
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace veltrasko::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes for tests that look at or plant the bytes of a
// file themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrasko::test {

using Bytes = std::vector<std::uint8_t>;

// Nothing when the file cannot be read.
Bytes ReadWholeFile(const std::string& path);
std::string ReadWholeText(const std::string& path);
void WriteWholeFile(const std::string& path, const Bytes& bytes);

}  // namespace veltrasko::test

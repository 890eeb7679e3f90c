// SPDX-License-Identifier: GPL-3.0-or-later
// Export files are UTF-8 throughout, while the personal data texts they
// carry are single-byte Windows-1252 in record files and in memory, and a
// path is whatever bytes the file system holds.
#pragma once

#include <string>
#include <string_view>

namespace veltrasko {

// Each byte as its Windows-1252 character; the five bytes that code page
// leaves undefined stand for the control characters of the same number.
std::string Utf8FromWindows1252(std::string_view bytes);

// The text as it is where it is well-formed UTF-8; every byte that begins no
// well-formed character becomes U+FFFD, so no reader stumbles over it.
std::string ValidUtf8(std::string_view bytes);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_state.h"

#include <algorithm>

namespace veltrasko {

std::string_view FileNameField::View() const {
  const auto end = std::find(Chars.begin(), Chars.end(), '\0');
  return {Chars.data(), static_cast<std::size_t>(end - Chars.begin())};
}

bool FileNameField::Assign(std::string_view path) {
  // A path with a zero byte inside would name a different file once read back.
  if (path.size() >= FileNameCapacity || path.find('\0') != std::string_view::npos) return false;
  std::copy(path.begin(), path.end(), Chars.begin());
  Chars[path.size()] = '\0';
  return true;
}

}  // namespace veltrasko

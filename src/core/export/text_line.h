// SPDX-License-Identifier: GPL-3.0-or-later
// A fixed buffer in which one line of an export is composed, with numbers
// formatted exactly as C's "%*.*f" and "%*d" do in the C locale, whatever
// locale the program runs in, and without allocating.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veltrasko {

class TextLine {
 public:
  static constexpr std::size_t Capacity = 1024;

  void Clear() { size_ = 0; }
  // Appends value right-aligned in width characters, with precision decimals.
  void AppendFixed(double value, int width, int precision);
  // Appends value right-aligned in width characters.
  void AppendInteger(long value, int width);
  // Text that does not fit is cut at the capacity.
  void AppendText(std::string_view text);

  char* Data() { return chars_.data(); }
  std::size_t Size() const { return size_; }
  std::string_view View() const { return {chars_.data(), size_}; }

 private:
  // Moves the size_ - start characters written since start to the right
  // until they fill width characters, filling with blanks.
  void PadFrom(std::size_t start, int width);

  std::array<char, Capacity> chars_{};
  std::size_t size_ = 0;
};

}  // namespace veltrasko

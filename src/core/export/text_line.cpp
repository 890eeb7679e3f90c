// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/text_line.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace veltrasko {

void TextLine::AppendFixed(double value, int width, int precision) {
  const std::size_t start = size_;
  // std::to_chars is locale-independent and rounds as printf does, so the
  // digits are the same bytes snprintf writes in the C locale.
  const auto result =
      std::to_chars(chars_.data() + size_, chars_.data() + Capacity, value, std::chars_format::fixed, precision);
  if (result.ec != std::errc()) return;
  size_ = static_cast<std::size_t>(result.ptr - chars_.data());
  PadFrom(start, width);
}

void TextLine::AppendInteger(long value, int width) {
  const std::size_t start = size_;
  const auto result = std::to_chars(chars_.data() + size_, chars_.data() + Capacity, value);
  if (result.ec != std::errc()) return;
  size_ = static_cast<std::size_t>(result.ptr - chars_.data());
  PadFrom(start, width);
}

void TextLine::AppendText(std::string_view text) {
  const std::size_t count = std::min(text.size(), Capacity - size_);
  std::memcpy(chars_.data() + size_, text.data(), count);
  size_ += count;
}

void TextLine::PadFrom(std::size_t start, int width) {
  const std::size_t written = size_ - start;
  if (width < 0 || written >= static_cast<std::size_t>(width)) return;
  const std::size_t blanks = std::min(static_cast<std::size_t>(width) - written, Capacity - size_);
  char* first = chars_.data() + start;
  std::memmove(first + blanks, first, written);
  std::memset(first, ' ', blanks);
  size_ += blanks;
}

}  // namespace veltrasko

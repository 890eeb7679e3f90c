// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_identification.h"

#include <cwchar>
#include <limits>

namespace veltrasko {
namespace {

bool BeginsWith(const wchar_t* text, std::wstring_view prefix) {
  return text != nullptr && std::wstring_view(text).starts_with(prefix);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool PassesBoxIdentification(unsigned short vendorId, unsigned short productId, const wchar_t* productString,
                             const wchar_t* manufacturerString) {
  return vendorId == BoxVendorId && productId == BoxProductId && BeginsWith(productString, BoxProductPrefix) &&
         BeginsWith(manufacturerString, BoxManufacturerPrefix);
}

std::string NarrowSerialText(const wchar_t* serialNumber) {
  std::string text;
  for (const wchar_t* c = serialNumber; c != nullptr && *c != L'\0'; ++c) {
    text += (*c >= 0 && *c < 0x80) ? static_cast<char>(*c) : '?';
  }
  return text;
}

std::uint32_t SerialNumberValue(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size() && IsBlank(text[position])) ++position;
  constexpr std::uint64_t Largest = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    value = value * 10 + static_cast<std::uint64_t>(text[position] - '0');
    if (value > Largest) return static_cast<std::uint32_t>(Largest);
  }
  return static_cast<std::uint32_t>(value);
}

SerialNumberText FormatSerialNumber(std::uint32_t value) {
  SerialNumberText text{};
  std::swprintf(text.data(), text.size(), L"%u", static_cast<unsigned>(value));
  return text;
}

}  // namespace veltrasko

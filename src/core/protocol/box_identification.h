// SPDX-License-Identifier: GPL-3.0-or-later
// How a computer box is told apart from other HID devices, and how its
// serial-number text becomes the number the menu keeps and back again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace veltrasko {

inline constexpr unsigned short BoxVendorId = 0x16C0;
inline constexpr unsigned short BoxProductId = 0x1503;
inline constexpr std::wstring_view BoxProductPrefix = L"Veltrasko";
inline constexpr std::wstring_view BoxManufacturerPrefix = L"Corvane";

// All four must hold; a missing or shorter string does not pass.
bool PassesBoxIdentification(unsigned short vendorId, unsigned short productId, const wchar_t* productString,
                             const wchar_t* manufacturerString);

// The serial-number text as single-byte text; characters beyond ASCII become '?'.
std::string NarrowSerialText(const wchar_t* serialNumber);

// Leading blanks skipped, digits up to the first other character; no digits
// give 0, values beyond the 32-bit range give 4294967295.
std::uint32_t SerialNumberValue(std::string_view text);

// "%u" as a zero-terminated wide string, the text the box is opened by.
using SerialNumberText = std::array<wchar_t, 11>;
SerialNumberText FormatSerialNumber(std::uint32_t value);

}  // namespace veltrasko

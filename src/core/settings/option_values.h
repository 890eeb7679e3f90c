// SPDX-License-Identifier: GPL-3.0-or-later
// The plain arithmetic behind the Options dialog: reading a window length
// typed by the user, the texts of the two drop-down lists, and which values
// of a re-read settings file may reach the graphs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/user_settings.h"

namespace veltrasko {

inline constexpr int WindowLengthMaxCharacters = 6;

// The decimal integer at the start of the text, as a C reader of integers
// takes it: leading blanks and one sign allowed, reading stops at the first
// other character. Nothing when no digit follows; the caller has already
// limited the text to six characters, so the value cannot overflow.
std::optional<std::int32_t> ReadLeadingInteger(std::string_view text);

// "Thin line", "Normal line", "Thick line" for levels 1 to 3, else "ERROR".
const char* LineWidthText(std::uint8_t level);
// "No filter", "2 strokes" ... "10 strokes" for 1, 2, 4, 6, 8, 10, else "ERROR".
const char* FilterText(std::uint8_t filter);
// The filter length of the item at this index of the filter list: 1 for the
// first ("No filter"), else twice the index.
std::uint8_t FilterForItem(int index);

// A file edited by hand may hold a filter length of 0 or above 10, or a
// window length below 1. The dialog shows such values as they are, but the
// graphs get the values a repair at start-up would put in their place.
UserSettings SafeForGraphs(const UserSettings& fromFile);

}  // namespace veltrasko

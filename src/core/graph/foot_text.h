// SPDX-License-Identifier: GPL-3.0-or-later
// The two lines of session information printed and copied under a graph:
// the record file of the view shown, and who paddled, how heavy, against
// which fan resistance, with which averaging filter and on which day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace veltrasko {

class AnalyserCore;
struct PersonalData;

struct FootLines {
  std::string RecordPath;
  std::string Information;
};

// "Kayak, 62 Kg, Fan: 5, avg. filter: 4 strokes, 3-7-2024"; the name and the
// fan resistance are left out when empty.
std::string InformationLine(const PersonalData& data, std::uint8_t averageFilter);

// The lines for the view shown (online or file); none when that view's
// personal data has no weight.
std::optional<FootLines> SessionFootLines(const AnalyserCore& core);

}  // namespace veltrasko

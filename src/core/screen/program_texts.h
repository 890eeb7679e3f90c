// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the core puts on the screen: status panels and messages, each
// made here only. Numbered texts are made on the stack, as the data path
// allocates nothing.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace veltrasko {

inline constexpr std::string_view ConnectedText = "Connected";
inline constexpr std::string_view DisconnectedText = "Disconnected";
inline constexpr std::string_view ResetBoxHint = " Reset the ergo computer.";
inline constexpr std::string_view NotSavingHint =
    " Not saving session data!  Choose 'File->Save next..' to save next session.";
inline constexpr std::string_view BoxAwayHint = " Box unplugged! Waiting for it...";

inline constexpr std::string_view VersionRefusedMessage =
    "This program do not work with veltrasko box versions below ver. 1.18";
inline constexpr std::string_view RecordNotCreatedMessage = "Error In Opening File";
inline constexpr std::string_view RecordNotOpenedMessage = "Could not open file!";
inline constexpr std::string_view NoExportDataMessage = "No data available for export!";
inline constexpr std::string_view NoSummaryDataMessage = "No strokes to summarise!";

// The readout band's units, each after its number.
inline constexpr std::string_view ReadoutMetres = " m";
inline constexpr std::string_view ReadoutKilometresPerHour = " km/h";
inline constexpr std::string_view ReadoutMetresPerSecond = " m/s";
inline constexpr std::string_view ReadoutPer500Metres = " /500 m";
inline constexpr std::string_view ReadoutStrokesPerMinute = " str/min";
inline constexpr std::string_view ReadoutWatts = " W";
inline constexpr std::string_view ReadoutBeatsPerMinute = " bpm";

// A status text of bounded length; longer texts are cut.
class StatusText {
 public:
  StatusText& Append(std::string_view text) {
    const std::size_t taken = std::min(text.size(), chars_.size() - size_);
    std::copy_n(text.begin(), taken, chars_.begin() + static_cast<std::ptrdiff_t>(size_));
    size_ += taken;
    return *this;
  }
  // Without printf, which would cost a third of the reading time of a long file.
  // The digits go straight into place; only a number that does not fit
  // whole is made aside and cut.
  StatusText& Append(std::int64_t number) {
    const auto [end, error] = std::to_chars(chars_.data() + size_, chars_.data() + chars_.size(), number);
    if (error == std::errc{}) {
      size_ = static_cast<std::size_t>(end - chars_.data());
      return *this;
    }
    std::array<char, 24> digits;
    const char* digitsEnd = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    return Append(std::string_view(digits.data(), static_cast<std::size_t>(digitsEnd - digits.data())));
  }
  std::string_view View() const { return {chars_.data(), size_}; }

 private:
  std::array<char, 511> chars_;
  std::size_t size_ = 0;
};

// Panel 2: " Strokes: 12".
inline StatusText StrokesText(std::uint32_t count) {
  StatusText text;
  text.Append(" Strokes: ").Append(count);
  return text;
}

// Panel 3: " Weight: 80 Kg".
inline StatusText WeightText(std::int16_t kilograms) {
  StatusText text;
  text.Append(" Weight: ").Append(kilograms).Append(" Kg");
  return text;
}

// Panel 4 when a record file could not be created; a long path is cut.
inline StatusText RecordNotCreatedText(std::string_view attempted) {
  constexpr std::size_t ShownPathLength = 400;
  StatusText text;
  text.Append(" Not saving! Could not create ").Append(attempted.substr(0, ShownPathLength));
  return text;
}

// Panel 4 once the record file cannot be written any more.
inline StatusText RecordNotWrittenText(std::string_view path) {
  StatusText text;
  text.Append(" Not saving! Could not write ").Append(path);
  return text;
}

inline std::string ExportNotCreatedMessage(std::string_view path) {
  return "Could not create the export file " + std::string(path) + "!";
}

}  // namespace veltrasko

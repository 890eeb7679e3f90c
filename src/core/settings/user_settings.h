// SPDX-License-Identifier: GPL-3.0-or-later
// The user's settings: 22 packed little-endian bytes, the same in memory and
// in user_settings.bin, with typed access to each field.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "bytes/byte_order.h"

namespace veltrasko {

inline constexpr std::size_t UserSettingsLength = 22;
// Strokes averaged in the graphs unless the user chooses otherwise.
inline constexpr std::uint8_t DefaultAverageFilter = 4;
// The most strokes the graphs can average over.
inline constexpr std::uint8_t MaxAverageFilter = 10;

// The graphs average over 1 to 10 strokes; a file edited by hand may hold any byte.
constexpr bool UsableFilterLength(std::uint8_t strokes) { return strokes >= 1 && strokes <= MaxAverageFilter; }
// The Options dialog offers no filter (1) and 2, 4, 6, 8 or 10 strokes.
constexpr bool OfferedFilterLength(std::uint8_t strokes) {
  return strokes == 1 || (strokes % 2 == 0 && UsableFilterLength(strokes));
}

// The speed unit's code in the settings byte. Any code but kilometres per
// hour shows metres per second; a hand-edited file may hold others, which
// are kept as they are.
enum class SpeedUnitCode : std::uint8_t { MetresPerSecond = 0, KilometresPerHour = 1 };
// Speeds are kept in metres per second and multiplied by this for km/h.
inline constexpr float KilometresPerHourFactor = 3.6f;

// Where each field stands in the 22 bytes; the two 32-bit fields are unaligned.
namespace SettingsOffset {
inline constexpr std::size_t ComPort = 0;
inline constexpr std::size_t OnlineWindowDistance = 6;
inline constexpr std::size_t OnlineWindowTime = 10;
inline constexpr std::size_t ViewAll = 14;
inline constexpr std::size_t EnlargeAxisText = 15;
inline constexpr std::size_t SpeedUnit = 16;
inline constexpr std::size_t LineWidthLevel = 17;
inline constexpr std::size_t AverageFilter = 18;
inline constexpr std::size_t DecimalSymbol = 19;
inline constexpr std::size_t SeparatorSymbol = 20;
}  // namespace SettingsOffset

struct UserSettings {
  std::array<std::uint8_t, UserSettingsLength> Bytes{};

  // True when byte 0 of ComPort is not the character '0'.
  bool ComPortNamed() const { return Bytes[SettingsOffset::ComPort] != '0'; }
  std::int32_t OnlineWindowDistance() const { return ReadI32(SettingsOffset::OnlineWindowDistance); }
  std::int32_t OnlineWindowTime() const { return ReadI32(SettingsOffset::OnlineWindowTime); }
  std::uint8_t ViewAll() const { return Bytes[SettingsOffset::ViewAll]; }
  std::uint8_t EnlargeAxisText() const { return Bytes[SettingsOffset::EnlargeAxisText]; }
  SpeedUnitCode SpeedUnit() const { return static_cast<SpeedUnitCode>(Bytes[SettingsOffset::SpeedUnit]); }
  bool SpeedInKilometresPerHour() const { return SpeedUnit() == SpeedUnitCode::KilometresPerHour; }
  // What a stored speed in metres per second is multiplied by for the unit chosen.
  float SpeedFactor() const { return SpeedInKilometresPerHour() ? KilometresPerHourFactor : 1.0f; }
  std::uint8_t LineWidthLevel() const { return Bytes[SettingsOffset::LineWidthLevel]; }
  std::uint8_t AverageFilter() const { return Bytes[SettingsOffset::AverageFilter]; }
  // The strokes the graphs average over: the stored count when usable, else the default.
  std::uint8_t FilterLength() const {
    return UsableFilterLength(AverageFilter()) ? AverageFilter() : DefaultAverageFilter;
  }
  std::uint8_t DecimalSymbol() const { return Bytes[SettingsOffset::DecimalSymbol]; }
  std::uint8_t SeparatorSymbol() const { return Bytes[SettingsOffset::SeparatorSymbol]; }

  void SetOnlineWindowDistance(std::int32_t v) { WriteI32(SettingsOffset::OnlineWindowDistance, v); }
  void SetOnlineWindowTime(std::int32_t v) { WriteI32(SettingsOffset::OnlineWindowTime, v); }
  void SetViewAll(std::uint8_t v) { Bytes[SettingsOffset::ViewAll] = v; }
  void SetEnlargeAxisText(std::uint8_t v) { Bytes[SettingsOffset::EnlargeAxisText] = v; }
  void SetSpeedUnit(SpeedUnitCode v) { Bytes[SettingsOffset::SpeedUnit] = static_cast<std::uint8_t>(v); }
  void SetLineWidthLevel(std::uint8_t v) { Bytes[SettingsOffset::LineWidthLevel] = v; }
  void SetAverageFilter(std::uint8_t v) { Bytes[SettingsOffset::AverageFilter] = v; }
  void SetDecimalSymbol(std::uint8_t v) { Bytes[SettingsOffset::DecimalSymbol] = v; }
  void SetSeparatorSymbol(std::uint8_t v) { Bytes[SettingsOffset::SeparatorSymbol] = v; }

  // The values a newly created settings file holds.
  static UserSettings Defaults();

  bool operator==(const UserSettings&) const = default;

 private:
  std::int32_t ReadI32(std::size_t offset) const { return static_cast<std::int32_t>(ReadU32(Bytes, offset)); }
  void WriteI32(std::size_t offset, std::int32_t v) { WriteU32(Bytes, offset, static_cast<std::uint32_t>(v)); }
};

// The settings file at a fixed path, loaded, repaired and written back.
class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Start-up load: read and repair, or write the defaults. True when the
  // settings name a serial port.
  bool LoadSettings(UserSettings& settings) const;
  // True only when 22 bytes were read (bytes after them are ignored). A file
  // that is missing or shorter leaves the settings as they were.
  bool ReadSettingsFile(UserSettings& settings) const;
  // Replaces every out-of-range field; writes the file once if any was replaced.
  void RepairSettings(UserSettings& settings) const;
  // Replaces the file whole, a link in its place included, or leaves it as
  // it was. Silent on failure: the program runs on with the values in memory.
  void WriteSettingsFile(const UserSettings& settings) const;

 private:
  std::string path_;
};

}  // namespace veltrasko

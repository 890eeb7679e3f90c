// The user's settings: 22 packed little-endian bytes, the same in memory and
// in user_settings.bin, with typed access to each field.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "protocol/byte_order.h"

namespace veltrasko {

inline constexpr std::size_t UserSettingsLength = 22;

struct UserSettings {
  std::array<std::uint8_t, UserSettingsLength> Bytes{};

  // True when byte 0 of ComPort is not the character '0'.
  bool ComPortNamed() const { return Bytes[0] != '0'; }
  std::int32_t OnlineWindowDistance() const { return static_cast<std::int32_t>(ReadU32(Bytes, 6)); }
  std::int32_t OnlineWindowTime() const { return static_cast<std::int32_t>(ReadU32(Bytes, 10)); }
  std::uint8_t ViewAll() const { return Bytes[14]; }
  std::uint8_t EnlargeAxisText() const { return Bytes[15]; }
  std::uint8_t SpeedUnit() const { return Bytes[16]; }
  std::uint8_t LineWidthLevel() const { return Bytes[17]; }
  std::uint8_t AverageFilter() const { return Bytes[18]; }
  std::uint8_t DecimalSymbol() const { return Bytes[19]; }
  std::uint8_t SeparatorSymbol() const { return Bytes[20]; }

  void SetOnlineWindowDistance(std::int32_t v) { WriteU32(Bytes, 6, static_cast<std::uint32_t>(v)); }
  void SetOnlineWindowTime(std::int32_t v) { WriteU32(Bytes, 10, static_cast<std::uint32_t>(v)); }
  void SetViewAll(std::uint8_t v) { Bytes[14] = v; }
  void SetEnlargeAxisText(std::uint8_t v) { Bytes[15] = v; }
  void SetSpeedUnit(std::uint8_t v) { Bytes[16] = v; }
  void SetLineWidthLevel(std::uint8_t v) { Bytes[17] = v; }
  void SetAverageFilter(std::uint8_t v) { Bytes[18] = v; }
  void SetDecimalSymbol(std::uint8_t v) { Bytes[19] = v; }
  void SetSeparatorSymbol(std::uint8_t v) { Bytes[20] = v; }

  // The values a newly created settings file holds.
  static UserSettings Defaults();

  bool operator==(const UserSettings&) const = default;
};

// The settings file at a fixed path, loaded, repaired and written back.
class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Start-up load: read and repair, or write the defaults. True when the
  // settings name a serial port.
  bool LoadSettings(UserSettings& settings) const;
  // True only when 22 bytes were read; a short file has replaced the first bytes.
  bool ReadSettingsFile(UserSettings& settings) const;
  // Replaces every out-of-range field; writes the file once if any was replaced.
  void RepairSettings(UserSettings& settings) const;
  // Silent on failure: the program runs on with the values in memory.
  void WriteSettingsFile(const UserSettings& settings) const;

 private:
  std::string path_;
};

}  // namespace veltrasko

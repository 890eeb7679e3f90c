// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/user_settings.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>

#include "files/full_io.h"

namespace veltrasko {
namespace {

constexpr std::int32_t DefaultWindowDistance = 250;
constexpr std::int32_t DefaultWindowTime = 60;
constexpr std::int32_t MaxWindowLength = 999999;
constexpr std::uint8_t DefaultSpeedUnit = 1;   // KM/H in a new file
constexpr std::uint8_t RepairedSpeedUnit = 0;  // M/S in place of a bad value
constexpr std::uint8_t DefaultLineWidthLevel = 2;
constexpr std::uint8_t DefaultSeparatorSymbol = 1;  // comma
constexpr std::array<std::uint8_t, 6> FilterChoices{1, 2, 4, 6, 8, 10};

// Puts the replacement in place of a window length outside 1 to 999999;
// true when it did.
bool ReplaceWindowLength(UserSettings& settings, std::size_t offset, std::int32_t replacement) {
  const auto value = static_cast<std::int32_t>(ReadU32(settings.Bytes, offset));
  if (value >= 1 && value <= MaxWindowLength) return false;
  WriteU32(settings.Bytes, offset, static_cast<std::uint32_t>(replacement));
  return true;
}

// A one-byte field is valid from lowest to highest; a byte of 128 or more never is.
bool ReplaceByte(UserSettings& settings, std::size_t offset, std::uint8_t lowest, std::uint8_t highest,
                 std::uint8_t replacement) {
  std::uint8_t& field = settings.Bytes[offset];
  if (field >= lowest && field <= highest) return false;
  field = replacement;
  return true;
}

bool ReplaceFilter(UserSettings& settings) {
  if (std::ranges::find(FilterChoices, settings.AverageFilter()) != FilterChoices.end()) return false;
  settings.SetAverageFilter(DefaultAverageFilter);
  return true;
}

}  // namespace

UserSettings UserSettings::Defaults() {
  UserSettings settings;
  settings.Bytes[SettingsOffset::ComPort] = '0';
  settings.SetOnlineWindowDistance(DefaultWindowDistance);
  settings.SetOnlineWindowTime(DefaultWindowTime);
  settings.SetSpeedUnit(DefaultSpeedUnit);
  settings.SetLineWidthLevel(DefaultLineWidthLevel);
  settings.SetAverageFilter(DefaultAverageFilter);
  settings.SetSeparatorSymbol(DefaultSeparatorSymbol);
  return settings;
}

bool SettingsFile::LoadSettings(UserSettings& settings) const {
  if (ReadSettingsFile(settings)) {
    RepairSettings(settings);
    return settings.ComPortNamed();
  }
  settings = UserSettings::Defaults();
  WriteSettingsFile(settings);
  return false;
}

bool SettingsFile::ReadSettingsFile(UserSettings& settings) const {
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Read into a copy: a short file must not leave half a record in force.
  UserSettings read;
  const std::size_t count = ReadFully(fd, read.Bytes.data(), read.Bytes.size());
  ::close(fd);
  if (count != UserSettingsLength) return false;
  settings = read;
  return true;
}

void SettingsFile::RepairSettings(UserSettings& settings) const {
  namespace at = SettingsOffset;
  // Every field is judged on its own, so all are checked even after a replacement.
  bool replaced = false;
  replaced |= ReplaceWindowLength(settings, at::OnlineWindowDistance, DefaultWindowDistance);
  replaced |= ReplaceWindowLength(settings, at::OnlineWindowTime, DefaultWindowTime);
  replaced |= ReplaceByte(settings, at::ViewAll, 0, 1, 0);
  replaced |= ReplaceByte(settings, at::EnlargeAxisText, 0, 1, 0);
  replaced |= ReplaceByte(settings, at::SpeedUnit, 0, 1, RepairedSpeedUnit);
  replaced |= ReplaceByte(settings, at::LineWidthLevel, 1, 3, DefaultLineWidthLevel);
  replaced |= ReplaceFilter(settings);
  replaced |= ReplaceByte(settings, at::DecimalSymbol, 0, 1, 0);
  replaced |= ReplaceByte(settings, at::SeparatorSymbol, 0, 2, DefaultSeparatorSymbol);
  if (replaced) WriteSettingsFile(settings);
}

void SettingsFile::WriteSettingsFile(const UserSettings& settings) const {
  // Written whole into a new file beside it, then renamed over it: a link in
  // its place is replaced, never followed, and a crash leaves the old file
  // or the new one, never part of one.
  std::string temporary = path_ + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return;
  const bool written = WriteFully(fd, settings.Bytes.data(), settings.Bytes.size()) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path_.c_str()) != 0) ::unlink(temporary.c_str());
}

}  // namespace veltrasko

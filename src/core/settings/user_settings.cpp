// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/user_settings.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "files/file_descriptor.h"

namespace veltrasko {
namespace {

constexpr std::int32_t DefaultWindowDistance = 250;
constexpr std::int32_t DefaultWindowTime = 60;
constexpr std::int32_t MaxWindowLength = 999999;
constexpr SpeedUnitCode DefaultSpeedUnit = SpeedUnitCode::KilometresPerHour;  // in a new file
constexpr SpeedUnitCode RepairedSpeedUnit = SpeedUnitCode::MetresPerSecond;   // in place of a bad value
constexpr std::uint8_t DefaultLineWidthLevel = 2;
constexpr std::uint8_t DefaultSeparatorSymbol = 1;  // comma

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
  if (OfferedFilterLength(settings.AverageFilter())) return false;
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
  const FileDescriptor file = FileDescriptor::Open(path_.c_str(), O_RDONLY).File;
  if (!file.IsOpen()) return false;
  // Read into a copy: a short file must not leave half a record in force.
  UserSettings read;
  if (file.ReadFully(read.Bytes.data(), read.Bytes.size()) != UserSettingsLength) return false;
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
  replaced |= ReplaceByte(settings, at::SpeedUnit, 0, 1, static_cast<std::uint8_t>(RepairedSpeedUnit));
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
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.IsOpen()) return;
  const bool written = file.WriteFully(settings.Bytes.data(), settings.Bytes.size()) && ::fsync(file.Get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), path_.c_str()) != 0) ::unlink(temporary.c_str());
}

}  // namespace veltrasko

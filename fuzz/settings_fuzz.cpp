// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the input as a settings file and checks what the loader promises: a
// file of 22 bytes or more is taken and every field brought into its range
// (valid fields untouched), a shorter one gives the defaults, and the file
// left behind holds what was loaded whenever anything had to change.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/fuzz_temp_file.h"
#include "settings/user_settings.h"

namespace {

using namespace veltrasko;

bool ByteIn(std::uint8_t value, std::uint8_t lowest, std::uint8_t highest) {
  return value >= lowest && value <= highest;
}

bool WindowIn(std::int32_t value) { return value >= 1 && value <= 999999; }

bool FilterIn(std::uint8_t value) {
  constexpr std::array<std::uint8_t, 6> choices{1, 2, 4, 6, 8, 10};
  return std::ranges::find(choices, value) != choices.end();
}

bool AllInRange(const UserSettings& s) {
  return WindowIn(s.OnlineWindowDistance()) && WindowIn(s.OnlineWindowTime()) && ByteIn(s.ViewAll(), 0, 1) &&
         ByteIn(s.EnlargeAxisText(), 0, 1) && ByteIn(static_cast<std::uint8_t>(s.SpeedUnit()), 0, 1) &&
         ByteIn(s.LineWidthLevel(), 1, 3) && FilterIn(s.AverageFilter()) && ByteIn(s.DecimalSymbol(), 0, 1) &&
         ByteIn(s.SeparatorSymbol(), 0, 2);
}

// Fields that were valid in the file must come through the repair unchanged.
void CheckValidFieldsKept(const UserSettings& read, const UserSettings& loaded) {
  namespace at = SettingsOffset;
  for (std::size_t i = at::ComPort; i < at::OnlineWindowDistance; ++i)
    Require(read.Bytes[i] == loaded.Bytes[i], "port name changed");
  if (WindowIn(read.OnlineWindowDistance()))
    Require(read.OnlineWindowDistance() == loaded.OnlineWindowDistance(), "valid distance window replaced");
  if (WindowIn(read.OnlineWindowTime()))
    Require(read.OnlineWindowTime() == loaded.OnlineWindowTime(), "valid time window replaced");
  if (FilterIn(read.AverageFilter())) Require(read.AverageFilter() == loaded.AverageFilter(), "valid filter replaced");
  if (ByteIn(read.LineWidthLevel(), 1, 3))
    Require(read.LineWidthLevel() == loaded.LineWidthLevel(), "valid line width replaced");
  for (std::size_t offset : {at::ViewAll, at::EnlargeAxisText, at::SpeedUnit, at::DecimalSymbol})
    if (ByteIn(read.Bytes[offset], 0, 1)) Require(read.Bytes[offset] == loaded.Bytes[offset], "valid flag replaced");
  if (ByteIn(read.SeparatorSymbol(), 0, 2))
    Require(read.SeparatorSymbol() == loaded.SeparatorSymbol(), "valid separator replaced");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzTempFile settingsFile("settings_fuzz.bin");
  const std::span<const std::uint8_t> input(data, size);
  settingsFile.Write(input);

  UserSettings loaded;
  loaded.Bytes.fill(0xA5);
  const bool portNamed = SettingsFile(settingsFile.Path()).LoadSettings(loaded);
  Require(portNamed == loaded.ComPortNamed(), "port answer disagrees with the settings");

  const std::string onFile = settingsFile.Read();
  const std::string loadedBytes(loaded.Bytes.begin(), loaded.Bytes.end());
  if (size < UserSettingsLength) {
    Require(loaded == UserSettings::Defaults(), "short file did not give the defaults");
    Require(onFile == loadedBytes, "defaults not written");
    return 0;
  }

  Require(AllInRange(loaded), "field out of range after loading");
  UserSettings read;
  std::copy_n(input.begin(), UserSettingsLength, read.Bytes.begin());
  CheckValidFieldsKept(read, loaded);
  if (read == loaded) {
    const std::string original(input.begin(), input.end());
    Require(onFile == original, "a valid file was rewritten");
  } else {
    Require(onFile == loadedBytes, "repaired settings not written");
  }
  return 0;
}

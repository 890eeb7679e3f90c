// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed settings files of settings_fuzz into the folder given: the
// defaults, a file one byte short, one with every field out of range and one
// with bytes after the record.
#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>

#include "settings/user_settings.h"

namespace {

bool WriteSeed(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace veltrasko;
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const UserSettings defaults = UserSettings::Defaults();

  UserSettings broken = defaults;
  broken.SetOnlineWindowDistance(0);
  broken.SetOnlineWindowTime(1000000);
  broken.SetViewAll(2);
  broken.SetEnlargeAxisText(200);
  broken.SetSpeedUnit(static_cast<SpeedUnitCode>(7));
  broken.SetLineWidthLevel(0);
  broken.SetAverageFilter(3);
  broken.SetDecimalSymbol(9);
  broken.SetSeparatorSymbol(3);

  std::array<std::uint8_t, UserSettingsLength + 5> longer{};
  std::copy(defaults.Bytes.begin(), defaults.Bytes.end(), longer.begin());

  const bool written = WriteSeed(folder + "/defaults.bin", defaults.Bytes) &&
                       WriteSeed(folder + "/short.bin", std::span(defaults.Bytes).first(UserSettingsLength - 1)) &&
                       WriteSeed(folder + "/broken.bin", broken.Bytes) && WriteSeed(folder + "/longer.bin", longer);
  return written ? 0 : 1;
}

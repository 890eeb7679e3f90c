// SPDX-License-Identifier: GPL-3.0-or-later
// Every place of the program in one folder, so that a test, a benchmark or a
// child program meets no settings, lock or channel of another analyser.
#pragma once

#include <QString>

#include "shell/program_places.h"

namespace veltrasko::testing {

inline ProgramPlaces PlacesInFolder(const QString& folder) {
  return ProgramPlaces{
      .SettingsPath = folder + "/user_settings.bin",
      .HandOverFilePath = folder + "/FileName.tmp",
      .LockPath = folder + "/OneAnalyserAllowed",
      .ChannelName = folder + "/OneOrvik",
      .DialogFolder = folder,
  };
}

}  // namespace veltrasko::testing

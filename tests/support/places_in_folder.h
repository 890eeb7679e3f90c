// SPDX-License-Identifier: GPL-3.0-or-later
// Every place of the program in one folder, so that a test, a benchmark or a
// child program meets no settings, lock or channel of another analyser; and
// a test's temporary folder in the toolkit's paths.
#pragma once

#include <QString>

#include "shell/program_places.h"
#include "support/temporary_folder.h"

namespace veltrasko::test {

inline ProgramPlaces PlacesInFolder(const QString& folder) {
  return ProgramPlaces{
      .SettingsPath = folder + "/user_settings.bin",
      .HandOverFilePath = folder + "/FileName.tmp",
      .LockPath = folder + "/OneAnalyserAllowed",
      .ChannelName = folder + "/OneOrvik",
      .DialogFolder = folder,
  };
}

// The folder itself, or a name in it.
inline QString QtPath(const TemporaryFolder& folder, const QString& name = {}) {
  const QString path = QString::fromStdString(folder.Path().string());
  return name.isEmpty() ? path : path + "/" + name;
}

inline ProgramPlaces PlacesIn(const TemporaryFolder& folder) { return PlacesInFolder(QtPath(folder)); }

}  // namespace veltrasko::test

// Where the program keeps its files: the settings file and the hand-over file
// live next to the executable when that folder is writable (as the program
// always did), otherwise in per-user folders; the instance lock and the
// hand-over channel are always per-user.
#pragma once

#include <QString>

namespace veltrasko {

struct ProgramPlaces {
  QString SettingsPath;      // user_settings.bin
  QString HandOverFilePath;  // FileName.tmp
  QString LockPath;          // the lock named "OneAnalyserAllowed"
  QString ChannelName;       // the local channel named "OneOrvik"
  QString DialogFolder;      // where the file dialogs start

  // The places of the running user and executable; needs the application object.
  static ProgramPlaces ForThisUser();
};

// The user's runtime folder, or the temporary folder where there is none.
QString PerUserFolder();

}  // namespace veltrasko

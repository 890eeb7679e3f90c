// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its files. The settings file lives next to the
// executable only when that folder is the user's alone, otherwise in the
// user's configuration folder. The instance lock, the hand-over channel and
// the hand-over file live in a folder no other user can reach, so no one
// else can plant a link there, read a handed-over path or answer a knock.
#pragma once

#include <QString>

namespace veltrasko {

struct ProgramPlaces {
  QString SettingsPath;      // user_settings.bin
  QString HandOverFilePath;  // FileName.tmp
  QString LockPath;          // the lock named "OneAnalyserAllowed"
  // The local channel named "OneOrvik". Only the instance that holds the
  // lock listens on it; another instance is given an empty name.
  QString ChannelName;
  QString DialogFolder;  // where the file dialogs start

  // The INI file of the preferences the settings file has no room for,
  // beside the settings file.
  QString PreferencesPath() const;

  // The places of the running user and executable; needs the application
  // object. Without a private folder the lock, the channel and the hand-over
  // file are empty: every start then runs on its own.
  static ProgramPlaces ForThisUser();
};

// XDG_RUNTIME_DIR when it is the user's own folder with mode 0700 and not a
// link; otherwise a folder made for the user with mode 0700 in the user's
// cache folder, checked the same way. Empty when neither can be had.
QString PrivateFolder();

// The folder of the settings file: the program's folder when it belongs to
// the user, who may write it, and no one else may; otherwise the user's
// configuration folder.
QString SettingsFolder(const QString& programFolder);

}  // namespace veltrasko

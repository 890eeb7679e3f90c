// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program_places.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace veltrasko {

namespace {

constexpr char PrivateFolderName[] = "veltrasko-analyser";
constexpr mode_t AnyoneElseMayWrite = S_IWGRP | S_IWOTH;

// The folder itself, never what a link points to, when it belongs to this user.
bool IsOwnFolder(const QString& folder, struct stat& status) {
  return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid();
}

bool IsPrivateFolder(const QString& folder) {
  struct stat status {};
  return IsOwnFolder(folder, status) && (status.st_mode & 0777) == S_IRWXU;
}

QString MadePrivateFolder() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (cache.isEmpty() || !QDir().mkpath(cache)) return {};
  const QString folder = cache + "/" + PrivateFolderName;
  // An existing folder is checked like a new one: made by someone else, or
  // opened up since, it is not used.
  ::mkdir(QFile::encodeName(folder).constData(), S_IRWXU);
  return IsPrivateFolder(folder) ? folder : QString();
}

QString ConfigurationFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(folder);
  return folder;
}

}  // namespace

QString PrivateFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return IsPrivateFolder(runtime) ? runtime : MadePrivateFolder();
}

QString SettingsFolder(const QString& programFolder) {
  struct stat status {};
  const bool onlyUserWrites = IsOwnFolder(programFolder, status) && (status.st_mode & S_IWUSR) != 0 &&
                              (status.st_mode & AnyoneElseMayWrite) == 0;
  return onlyUserWrites ? programFolder : ConfigurationFolder();
}

QString ProgramPlaces::PreferencesPath() const {
  return QFileInfo(SettingsPath).dir().filePath("user_preferences.ini");
}

ProgramPlaces ProgramPlaces::ForThisUser() {
  const QString privateFolder = PrivateFolder();
  const auto inPrivateFolder = [&](const QString& name) {
    return privateFolder.isEmpty() ? QString() : privateFolder + "/" + name;
  };
  return ProgramPlaces{
      .SettingsPath = SettingsFolder(QCoreApplication::applicationDirPath()) + "/user_settings.bin",
      .HandOverFilePath = inPrivateFolder("FileName.tmp"),
      .LockPath = inPrivateFolder("OneAnalyserAllowed"),
      .ChannelName = inPrivateFolder("OneOrvik"),
      .DialogFolder = QDir::homePath(),
  };
}

}  // namespace veltrasko

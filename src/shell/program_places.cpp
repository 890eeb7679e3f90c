#include "shell/program_places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace veltrasko {

namespace {

// The executable's folder when this user may write there, else the fallback.
QString ExecutableFolderOr(const QString& fallback) {
  const QString folder = QCoreApplication::applicationDirPath();
  return QFileInfo(folder).isWritable() ? folder : fallback;
}

QString ConfigurationFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(folder);
  return folder;
}

}  // namespace

QString PerUserFolder() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

ProgramPlaces ProgramPlaces::ForThisUser() {
  const QString perUser = PerUserFolder();
  const QString settingsFolder = ExecutableFolderOr(QString());
  return ProgramPlaces{
      .SettingsPath = (settingsFolder.isEmpty() ? ConfigurationFolder() : settingsFolder) + "/user_settings.bin",
      .HandOverFilePath = ExecutableFolderOr(perUser) + "/FileName.tmp",
      .LockPath = perUser + "/OneAnalyserAllowed",
      .ChannelName = perUser + "/OneOrvik",
      .DialogFolder = QDir::homePath(),
  };
}

}  // namespace veltrasko

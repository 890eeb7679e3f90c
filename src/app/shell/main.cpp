// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: either hands a record file over to the analyser that
// already runs and ends, or runs a window: the running analyser when it
// takes the instance lock, an independent one otherwise.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <memory>

#include "program_identity.h"
#include "session/analyser_core.h"
#include "shell/command_line.h"
#include "shell/hand_over.h"
#include "shell/main_window.h"
#include "shell/program_places.h"
#include "shell/single_instance.h"

namespace {

// The running instance has its own working folder, so a relative path is
// made absolute before it is handed over.
QByteArray AbsolutePathBytes(const QByteArray& path) {
  return QFile::encodeName(QFileInfo(QFile::decodeName(path)).absoluteFilePath());
}

}  // namespace

int main(int argc, char** argv) {
  // Read before anything starts, so --help and --version need no display.
  const veltrasko::AnalyserCommandLine commandLine = veltrasko::ReadAnalyserCommandLine(argc, argv);
  if (commandLine.ExitCode) return veltrasko::AnswerCommandLine(commandLine);
  const QByteArray firstArgument = commandLine.RecordPath;
  // The toolkit sees no arguments: a record path is never a toolkit option.
  int toolkitArgumentCount = argc > 0 ? 1 : 0;
  QApplication application(toolkitArgumentCount, argv);
  // No application display name: Qt would append it to every window title,
  // the main window's caption too; the message boxes carry the name instead.
  application.setDesktopFileName(VELTRASKO_APP_ID);
  application.setWindowIcon(QIcon(":/icons/" VELTRASKO_APP_ID ".svg"));

  veltrasko::ProgramPlaces places = veltrasko::ProgramPlaces::ForThisUser();
  veltrasko::InstanceLock lock(places.LockPath);
  const bool holdsLock = lock.TryTake();
  // A path the running instance does not take in time is opened here
  // rather than lost.
  if (!holdsLock && !firstArgument.isEmpty() &&
      veltrasko::HandOverToRunningInstance(places.HandOverFilePath, places.ChannelName,
                                           AbsolutePathBytes(firstArgument))) {
    return 0;
  }
  // The channel stays with the instance that holds the lock.
  if (!holdsLock) places.ChannelName.clear();

  auto core = std::make_unique<veltrasko::AnalyserCore>();
  veltrasko::TForm1 form(*core, places, firstArgument);
  form.show();
  application.exec();
  return 0;
}

// Program entry: either hands a record file over to the analyser that
// already runs and ends, or runs a window: the running analyser when it
// takes the instance lock, an independent one otherwise.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "session/analyser_core.h"
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
  // Taken before the toolkit sees the command line: only the first argument
  // counts, and it is a record file path, never a toolkit option.
  const QByteArray firstArgument = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  QApplication application(argc, argv);
  application.setApplicationDisplayName(QString());
  application.setDesktopFileName("veltrasko-analyser");

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

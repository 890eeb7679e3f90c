// Program entry: either hands a record file over to the analyser that
// already runs and ends, or becomes the running analyser.
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

  const veltrasko::ProgramPlaces places = veltrasko::ProgramPlaces::ForThisUser();
  veltrasko::InstanceLock lock(places.LockPath);
  const bool anotherRuns = !lock.TryTake();
  if (anotherRuns && !firstArgument.isEmpty()) {
    // A file that cannot be written still gets the knock: the running
    // instance then finds nothing and opens nothing.
    veltrasko::WriteHandOverFile(places.HandOverFilePath, AbsolutePathBytes(firstArgument));
    veltrasko::KnockOnRunningInstance(places.ChannelName);
    return 0;
  }

  auto core = std::make_unique<veltrasko::AnalyserCore>();
  veltrasko::TForm1 form(*core, places, firstArgument);
  form.show();
  application.exec();
  return 0;
}

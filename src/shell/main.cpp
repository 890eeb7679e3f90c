// Program entry: either hands a record file over to the analyser that
// already runs and ends, or becomes the running analyser.
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
  application.setApplicationDisplayName("Veltrasko Analyser");
  application.setDesktopFileName(VELTRASKO_APP_ID);
  application.setWindowIcon(QIcon(":/icons/" VELTRASKO_APP_ID ".svg"));

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

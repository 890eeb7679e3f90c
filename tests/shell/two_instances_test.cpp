// Two real starts of the program, as a paddler's desktop makes them, in a
// private runtime, temporary and home folder so they meet no other analyser.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

#include "shell/shell_test_support.h"

namespace veltrasko {
namespace {

bool WaitFor(const std::function<bool()>& condition, int timeMs) {
  QElapsedTimer waited;
  waited.start();
  while (!condition()) {
    if (waited.elapsed() > timeMs) return false;
    QThread::msleep(20);
  }
  return true;
}

// Tells whether some process opened a file since the watch began.
class OpenWatch {
 public:
  explicit OpenWatch(const QString& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, QFile::encodeName(path).constData(), IN_OPEN);
  }
  ~OpenWatch() { close(fd_); }
  bool Opened() {
    alignas(inotify_event) char events[4096];
    opened_ = opened_ || read(fd_, events, sizeof events) > 0;
    return opened_;
  }

 private:
  int fd_;
  bool opened_ = false;
};

class TwoInstancesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(folder.path()).mkpath("run"));
    QFile::setPermissions(runtime(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(QDir(folder.path()).mkpath("home"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("tmp"));
  }

  void TearDown() override {
    for (auto& process : processes) {
      process->kill();
      process->waitForFinished(5000);
    }
  }

  QString runtime() const { return folder.filePath("run"); }

  QProcess& Start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime());
    environment.insert("TMPDIR", folder.filePath("tmp"));
    environment.insert("HOME", folder.filePath("home"));
    process->setProcessEnvironment(environment);
    process->start(VELTRASKO_ANALYSER, arguments);
    EXPECT_TRUE(process->waitForStarted(5000));
    processes.push_back(std::move(process));
    return *processes.back();
  }

  QProcess& StartRunningInstance() {
    QProcess& first = Start({});
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(runtime() + "/OneOrvik"); }, 10000));
    return first;
  }

  QTemporaryDir folder;
  std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(TwoInstancesTest, SecondStartWithAFileHandsItToTheFirstAndEnds) {
  const QString record = testing::MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"});
  QProcess& first = StartRunningInstance();
  OpenWatch watch(record);

  QProcess& second = Start({record});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(watch.Opened()) << "the first instance read the handed-over file";
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_FALSE(QFile::exists(QFileInfo(VELTRASKO_ANALYSER).path() + "/FileName.tmp"));
}

// The first instance is held in its "Could not open file!" message box,
// which nobody answers; the hand-over still reaches it.
TEST_F(TwoInstancesTest, SecondStartWhileTheFirstShowsAMessageBoxIsStillHandedOver) {
  const QString garbage = folder.filePath("garbage.vrc");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(500, 'x'));
  file.close();
  OpenWatch garbageRead(garbage);
  QProcess& first = Start({garbage});
  ASSERT_TRUE(WaitFor([&] { return garbageRead.Opened() && QFile::exists(runtime() + "/OneOrvik"); }, 10000));
  QThread::msleep(300);  // the message box is up

  const QString record = testing::MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"});
  OpenWatch recordRead(record);
  QProcess& second = Start({record});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(WaitFor([&] { return recordRead.Opened(); }, 5000)) << "the first instance read the handed-over file";
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(TwoInstancesTest, SecondStartWithoutAFileRunsOnItsOwn) {
  QProcess& first = StartRunningInstance();
  QProcess& second = Start({});
  EXPECT_FALSE(second.waitForFinished(1500));
  EXPECT_EQ(second.state(), QProcess::Running);
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(TwoInstancesTest, LockOfAKilledInstanceIsTakenOverByTheNextStart) {
  QProcess& first = StartRunningInstance();
  first.kill();
  ASSERT_TRUE(first.waitForFinished(5000));
  ASSERT_TRUE(QFile::exists(runtime() + "/OneAnalyserAllowed"));

  const QString record = testing::MakeRecordFile(folder, "after.vrc", {"--strokes", "5"});
  OpenWatch watch(record);
  QProcess& next = Start({record});
  EXPECT_FALSE(next.waitForFinished(1500)) << "the next start runs instead of handing over";
  EXPECT_TRUE(watch.Opened()) << "it opened its own file";
}

}  // namespace
}  // namespace veltrasko

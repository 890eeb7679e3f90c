// SPDX-License-Identifier: GPL-3.0-or-later
// Two real starts of the program, as a paddler's desktop makes them, in a
// private runtime, temporary and home folder so they meet no other analyser.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <memory>

#include "shell/hand_over.h"
#include "support/child_attempt.h"
#include "support/event_waits.h"
#include "support/places_in_folder.h"
#include "support/process_runner.h"

namespace veltrasko {
namespace {

using namespace test;

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

// Each test starts its own link to the program, in a folder of its own, so
// that the settings beside it are the test's alone and the folder's rights
// are the test's to choose.
class TwoInstancesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(QtPath(folder)).mkpath("run"));
    QFile::setPermissions(runtime(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(QDir(QtPath(folder)).mkpath("home"));
    ASSERT_TRUE(QDir(QtPath(folder)).mkpath("tmp"));
    ASSERT_TRUE(QDir(QtPath(folder)).mkpath("bin"));
    const QByteArray program = QFile::encodeName(programFolder() + "/veltrasko-analyser");
    ASSERT_TRUE(::link(VELTRASKO_ANALYSER, program.constData()) == 0 ||
                QFile::copy(VELTRASKO_ANALYSER, QFile::decodeName(program)));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime());
    environment.insert("TMPDIR", QtPath(folder, "tmp"));
    environment.insert("HOME", QtPath(folder, "home"));
    environment.insert("XDG_CONFIG_HOME", QtPath(folder, "home/.config"));
    environment.insert("XDG_CACHE_HOME", QtPath(folder, "home/.cache"));
  }

  void TearDown() override {
    for (auto& process : processes) {
      process->kill();
      process->waitForFinished(5000);
    }
  }

  QString runtime() const { return QtPath(folder, "run"); }
  QString programFolder() const { return QtPath(folder, "bin"); }
  QString settingsBesideTheProgram() const { return programFolder() + "/user_settings.bin"; }

  QProcess& Start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->start(programFolder() + "/veltrasko-analyser", arguments);
    EXPECT_TRUE(process->waitForStarted(5000));
    processes.push_back(std::move(process));
    return *processes.back();
  }

  // Up once it listens and has written its settings.
  QProcess& StartRunningInstance() {
    QProcess& first = Start({});
    EXPECT_TRUE(
        WaitUntil([&] { return QFile::exists(runtime() + "/OneOrvik") && QFile::exists(settingsBesideTheProgram()); }));
    return first;
  }

  TemporaryFolder folder;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(TwoInstancesTest, SecondStartWithAFileHandsItToTheFirstAndEnds) {
  const QString record = QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  QProcess& first = StartRunningInstance();
  OpenWatch watch(record);

  QProcess& second = Start({record});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(watch.Opened()) << "the first instance read the handed-over file";
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_FALSE(QFile::exists(runtime() + "/FileName.tmp"));
  EXPECT_FALSE(QFile::exists(programFolder() + "/FileName.tmp"));
}

// The first instance is held in its "Could not open file!" message box,
// which nobody answers; the hand-over still reaches it. Its window has no
// event loop of its own before the box, so the knock is taken in the box's.
TEST_F(TwoInstancesTest, SecondStartWhileTheFirstShowsAMessageBoxIsStillHandedOver) {
  const QString garbage = QtPath(folder, "garbage.vrc");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(500, 'x'));
  file.close();
  OpenWatch garbageRead(garbage);
  QProcess& first = Start({garbage});
  ASSERT_TRUE(WaitUntil([&] { return garbageRead.Opened() && QFile::exists(runtime() + "/OneOrvik"); }));

  const QString record = QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  OpenWatch recordRead(record);
  QProcess& second = Start({record});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(WaitUntil([&] { return recordRead.Opened(); })) << "the first instance read the handed-over file";
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(TwoInstancesTest, SecondStartWithoutAFileRunsOnItsOwnAndLeavesTheChannelToTheFirst) {
  QProcess& first = StartRunningInstance();
  OpenWatch settingsRead(settingsBesideTheProgram());
  QProcess& second = Start({});
  ASSERT_TRUE(WaitUntil([&] { return settingsRead.Opened(); })) << "the second start is up";
  EXPECT_EQ(second.state(), QProcess::Running);
  second.kill();
  ASSERT_TRUE(second.waitForFinished(5000));

  const QString record = QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  OpenWatch recordRead(record);
  QProcess& third = Start({record});
  ASSERT_TRUE(third.waitForFinished(10000));
  EXPECT_EQ(third.exitCode(), 0);
  EXPECT_TRUE(recordRead.Opened()) << "the first instance still takes the hand-over";
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_FALSE(QFile::exists(runtime() + "/FileName.tmp"));
}

TEST_F(TwoInstancesTest, SecondStartOpensTheFileItselfWhenTheFirstDoesNotAnswer) {
  const QString record = QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  QProcess& first = StartRunningInstance();
  ASSERT_EQ(::kill(static_cast<pid_t>(first.processId()), SIGSTOP), 0);
  OpenWatch recordRead(record);
  QProcess& second = Start({record});
  EXPECT_TRUE(WaitUntil([&] { return recordRead.Opened(); }, std::chrono::seconds(15)))
      << "the second start opened the file itself";
  EXPECT_EQ(second.state(), QProcess::Running);
  EXPECT_FALSE(QFile::exists(runtime() + "/FileName.tmp"));
  ::kill(static_cast<pid_t>(first.processId()), SIGCONT);
}

// Another account can write the program's folder and the temporary folder:
// it links the settings and hand-over names there to the user's files. The
// program writes neither name there, and its own places are out of reach.
TEST_F(TwoInstancesTest, AnotherAccountCannotRedirectTheProgramsFiles) {
  const auto setMode = [](const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode);
  };
  ASSERT_EQ(setMode(QtPath(folder), 0755), 0);
  ASSERT_EQ(setMode(programFolder(), 0777), 0);
  ASSERT_EQ(setMode(QtPath(folder, "tmp"), 01777), 0);
  const QByteArray thesis = "three years of work";
  for (const char* name : {"thesis.odt", "notes.txt"}) {
    QFile file(QtPath(folder, name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(thesis);
  }
  const auto planted = [&] {
    return QFile::link(QtPath(folder, "thesis.odt"), settingsBesideTheProgram()) &&
           QFile::link(QtPath(folder, "notes.txt"), programFolder() + "/FileName.tmp");
  };
  ASSERT_EQ(test::InChildWithoutRoot(planted), test::ChildOutcome::Succeeded);

  environment.remove("XDG_RUNTIME_DIR");
  const QString privateFolder = QtPath(folder, "home/.cache/veltrasko-analyser");
  const QString settings = QtPath(folder, "home/.config/veltrasko-analyser/user_settings.bin");
  QProcess& first = Start({});
  ASSERT_TRUE(WaitUntil([&] { return QFile::exists(privateFolder + "/OneOrvik") && QFile::exists(settings); }));
  const QString record = QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  OpenWatch recordRead(record);
  QProcess& second = Start({record});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(recordRead.Opened()) << "the first instance took the hand-over";
  EXPECT_EQ(first.state(), QProcess::Running);

  for (const char* name : {"thesis.odt", "notes.txt"}) {
    QFile file(QtPath(folder, name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), thesis) << name;
  }
  EXPECT_TRUE(QFileInfo(settingsBesideTheProgram()).isSymLink());
  EXPECT_TRUE(QFileInfo(programFolder() + "/FileName.tmp").isSymLink());
  // The toolkit may keep a folder of its own there, but none of the program's names.
  QDirIterator shared(QtPath(folder, "tmp"), {"OneAnalyserAllowed", "OneOrvik", "FileName.tmp"},
                      QDir::AllEntries | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
  EXPECT_FALSE(shared.hasNext()) << qPrintable(shared.next());
  struct stat made {};
  ASSERT_EQ(::lstat(QFile::encodeName(privateFolder).constData(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0700u);
}

TEST_F(TwoInstancesTest, LockOfAKilledInstanceIsTakenOverByTheNextStart) {
  QProcess& first = StartRunningInstance();
  first.kill();
  ASSERT_TRUE(first.waitForFinished(5000));
  ASSERT_TRUE(QFile::exists(runtime() + "/OneAnalyserAllowed"));

  const QString record = QString::fromStdString(MakeRecordFile(folder, "after.vrc", {"--strokes", "5"}));
  OpenWatch watch(record);
  QProcess& next = Start({record});
  EXPECT_TRUE(WaitUntil([&] { return watch.Opened(); })) << "it opened its own file";
  EXPECT_TRUE(KnockOnRunningInstance(runtime() + "/OneOrvik")) << "it holds the lock and listens";
  EXPECT_EQ(next.state(), QProcess::Running);
}

}  // namespace
}  // namespace veltrasko

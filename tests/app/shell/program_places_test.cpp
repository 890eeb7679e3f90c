// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program_places.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>

#include "support/child_attempt.h"
#include "support/places_in_folder.h"

namespace veltrasko {
namespace {

using namespace test;

// Judges real folders; the environment variables it sets are put back after.
class ProgramPlacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
      saved_.emplace_back(name, qgetenv(name));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(QtPath(folder, "cache")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QtPath(folder, "config")));
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) value.isNull() ? qunsetenv(name) : qputenv(name, value);
  }

  QString Folder(const QString& name, mode_t mode, uid_t owner = ::geteuid()) const {
    const QByteArray path = QFile::encodeName(QtPath(folder, name));
    EXPECT_EQ(::mkdir(path.constData(), mode), 0);
    EXPECT_EQ(::chmod(path.constData(), mode), 0);  // past the umask
    EXPECT_EQ(::chown(path.constData(), owner, static_cast<gid_t>(-1)), 0);
    return QtPath(folder, name);
  }
  QString Link(const QString& name, const QString& target) const {
    EXPECT_TRUE(QFile::link(target, QtPath(folder, name)));
    return QtPath(folder, name);
  }
  // Another account's folder, when the test can make one.
  QString ForeignFolder(const QString& name, mode_t mode) const {
    return ::geteuid() == 0 ? Folder(name, mode, test::NobodyId) : Link(name, QtPath(folder));
  }
  QString CacheFolder() const { return QtPath(folder, "cache/veltrasko-analyser"); }

  TemporaryFolder folder;

 private:
  std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(ProgramPlacesTest, RuntimeFolderOnlyWhenPrivateElseOneMadeInTheCache) {
  const QString runtime = Folder("run", 0700);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
  const ProgramPlaces places = ProgramPlaces::ForThisUser();
  EXPECT_EQ(places.LockPath, runtime + "/OneAnalyserAllowed");
  EXPECT_EQ(places.ChannelName, runtime + "/OneOrvik");
  EXPECT_EQ(places.HandOverFilePath, runtime + "/FileName.tmp");

  for (const QString& unusable : {Folder("open", 0755), Folder("shared", 01777), Link("link", runtime),
                                  ForeignFolder("foreign", 0700), QString()}) {
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(unusable));
    EXPECT_EQ(PrivateFolder(), CacheFolder()) << qPrintable(unusable);
  }
  struct stat made {};
  ASSERT_EQ(::lstat(QFile::encodeName(CacheFolder()).constData(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0700u);
}

TEST_F(ProgramPlacesTest, NoPrivateFolderMeansNoLockChannelOrHandOverFile) {
  qunsetenv("XDG_RUNTIME_DIR");
  Folder("cache", 0700);
  ForeignFolder("cache/veltrasko-analyser", 0700);
  const ProgramPlaces places = ProgramPlaces::ForThisUser();
  EXPECT_TRUE(places.LockPath.isEmpty());
  EXPECT_TRUE(places.ChannelName.isEmpty());
  EXPECT_TRUE(places.HandOverFilePath.isEmpty());
}

TEST_F(ProgramPlacesTest, SettingsStayBesideTheProgramOnlyWhenNoOneElseMayWriteThere) {
  const QString configuration = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const QString own = Folder("own", 0755);
  EXPECT_EQ(SettingsFolder(own), own);
  for (const QString& shared :
       {Folder("everyone", 0777), Folder("group", 0775), Folder("unwritable", 0555), ForeignFolder("foreign", 0755)}) {
    EXPECT_EQ(SettingsFolder(shared), configuration) << qPrintable(shared);
  }
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include "support/places_in_folder.h"

namespace veltrasko {
namespace {

using namespace test;

TEST(InstanceLock, OnlyOneHolderUntilItGoes) {
  TemporaryFolder folder;
  const QString path = QtPath(folder, "OneAnalyserAllowed");
  {
    InstanceLock first(path);
    ASSERT_TRUE(first.TryTake());
    InstanceLock second(path);
    EXPECT_FALSE(second.TryTake());
  }
  InstanceLock later(path);
  EXPECT_TRUE(later.TryTake());
}

TEST(InstanceLock, OldLockOfALiveHolderIsKept) {
  TemporaryFolder folder;
  const QString path = QtPath(folder, "OneAnalyserAllowed");
  InstanceLock running(path);
  ASSERT_TRUE(running.TryTake());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
  file.close();

  InstanceLock second(path);
  EXPECT_FALSE(second.TryTake());
}

TEST(InstanceLock, LockOfADeadProcessIsTakenOver) {
  TemporaryFolder folder;
  const QString path = QtPath(folder, "OneAnalyserAllowed");
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::number(child) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n' +
             QSysInfo::machineHostName().toUtf8() + '\n');
  file.close();

  InstanceLock next(path);
  EXPECT_TRUE(next.TryTake());
}

}  // namespace
}  // namespace veltrasko

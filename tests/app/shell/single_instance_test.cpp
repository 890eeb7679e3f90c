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
#include <QTemporaryDir>

namespace veltrasko {
namespace {

TEST(InstanceLock, OnlyOneHolderUntilItGoes) {
  QTemporaryDir folder;
  const QString path = folder.filePath("OneAnalyserAllowed");
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
  QTemporaryDir folder;
  const QString path = folder.filePath("OneAnalyserAllowed");
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
  QTemporaryDir folder;
  const QString path = folder.filePath("OneAnalyserAllowed");
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

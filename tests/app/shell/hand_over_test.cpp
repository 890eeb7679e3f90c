// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hand_over.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <QCoreApplication>
#include <QFile>
#include <atomic>
#include <thread>

#include "support/event_waits.h"
#include "support/places_in_folder.h"

namespace veltrasko {
namespace {

using namespace test;

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HandOverFile, HoldsExactlyThePathBytesAndIsRemovedWhenTaken) {
  TemporaryFolder folder;
  const QString handOver = QtPath(folder, "FileName.tmp");
  ASSERT_TRUE(WriteHandOverFile(handOver, "/data/race_01.vrc"));
  EXPECT_EQ(FileBytes(handOver), QByteArray("/data/race_01.vrc"));

  EXPECT_FALSE(WriteHandOverFile(handOver, "/a.vrc")) << "another start's file is never written into";
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray("/data/race_01.vrc"));
  EXPECT_FALSE(QFile::exists(handOver));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray());
}

TEST(HandOverFile, LinksAreNeitherWrittenNorReadThroughAndOnlyAnOldLeftoverIsReplaced) {
  TemporaryFolder folder;
  const QString handOver = QtPath(folder, "FileName.tmp");
  const QString victim = QtPath(folder, "victim.vrc");
  QFile file(victim);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("/secret.vrc");
  file.close();
  ASSERT_TRUE(QFile::link(victim, handOver));
  EXPECT_FALSE(WriteHandOverFile(handOver, "/a.vrc"));
  EXPECT_EQ(FileBytes(victim), QByteArray("/secret.vrc"));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray());

  ASSERT_TRUE(QFile::remove(handOver));
  ASSERT_TRUE(QFile::link(QtPath(folder, "nowhere"), handOver));
  EXPECT_FALSE(WriteHandOverFile(handOver, "/a.vrc"));
  EXPECT_FALSE(QFile::exists(QtPath(folder, "nowhere")));
  QFile::remove(handOver);

  // Left by a start that was killed long before its wait could have ended.
  ASSERT_TRUE(WriteHandOverFile(handOver, "/old.vrc"));
  const timeval longAgo[2] = {{0, 0}, {0, 0}};
  ASSERT_EQ(::utimes(QFile::encodeName(handOver).constData(), longAgo), 0);
  EXPECT_TRUE(WriteHandOverFile(handOver, "/new.vrc"));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray("/new.vrc"));
}

TEST(HandOverFile, LongPathIsCutAt255BytesAndAZeroByteEndsIt) {
  TemporaryFolder folder;
  const QString handOver = QtPath(folder, "FileName.tmp");
  const QByteArray longPath = "/" + QByteArray(299, 'x');
  ASSERT_TRUE(WriteHandOverFile(handOver, longPath));
  EXPECT_EQ(TakeHandOverFile(handOver), longPath.left(255));

  ASSERT_TRUE(WriteHandOverFile(handOver, QByteArray("/b.vrc\0junk", 11)));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray("/b.vrc"));
}

TEST(HandOverFile, UnwritableFolderIsReported) {
  EXPECT_FALSE(WriteHandOverFile("/nonexistent-folder/FileName.tmp", "/a.vrc"));
}

TEST(HandOverChannel, KnockIsAnsweredAfterTheHandlerRan) {
  TemporaryFolder folder;
  const QString channel = QtPath(folder, "OneOrvik");
  HandOverListener listener;
  ASSERT_TRUE(listener.Listen(channel));
  int handled = 0;
  std::atomic<bool> answered = false;
  QObject::connect(&listener, &HandOverListener::handOverKnocked, [&] {
    EXPECT_FALSE(answered);  // the second start still waits
    ++handled;
  });

  std::thread secondStart([&] { answered = KnockOnRunningInstance(channel); });
  WaitUntil([&] { return answered.load(); });
  secondStart.join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(handled, 1);
}

// The channel is there but never answers, as when the running instance is
// stopped; whoever removes the hand-over file owns the path.
TEST(HandOverChannel, SecondStartTakesItsFileBackUnlessTheRunningInstanceTookItFirst) {
  TemporaryFolder folder;
  const QString handOver = QtPath(folder, "FileName.tmp");
  const QString channel = QtPath(folder, "OneOrvik");
  HandOverListener silent;
  ASSERT_TRUE(silent.Listen(channel));

  EXPECT_FALSE(HandOverToRunningInstance(handOver, channel, "/mine.vrc", 300));
  EXPECT_FALSE(QFile::exists(handOver));

  std::atomic<bool> takenByTheRunningInstance = false;
  std::thread secondStart(
      [&] { takenByTheRunningInstance = HandOverToRunningInstance(handOver, channel, "/a.vrc", 2000); });
  // Events stay unserved: the channel must not answer. The file is made
  // before its path is written, so wait for the path itself.
  EXPECT_TRUE(WaitWithoutEventsUntil([&] { return FileBytes(handOver) == "/a.vrc"; }));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray("/a.vrc"));
  secondStart.join();
  EXPECT_TRUE(takenByTheRunningInstance);
}

TEST(HandOverChannel, ChannelLeftByADeadInstanceIsReplacedAndNoListenerMeansNoAnswer) {
  TemporaryFolder folder;
  const QString channel = QtPath(folder, "OneOrvik");
  QFile leftover(channel);
  ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
  leftover.close();
  {
    HandOverListener listener;
    EXPECT_TRUE(listener.Listen(channel));
  }
  EXPECT_FALSE(KnockOnRunningInstance(channel, 200));
}

}  // namespace
}  // namespace veltrasko

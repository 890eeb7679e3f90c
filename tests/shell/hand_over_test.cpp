#include "shell/hand_over.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

namespace veltrasko {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HandOverFile, HoldsExactlyThePathBytesAndIsRemovedWhenTaken) {
  QTemporaryDir folder;
  const QString handOver = folder.filePath("FileName.tmp");
  ASSERT_TRUE(WriteHandOverFile(handOver, "/data/race_01.vrc"));
  EXPECT_EQ(FileBytes(handOver), QByteArray("/data/race_01.vrc"));

  ASSERT_TRUE(WriteHandOverFile(handOver, "/a.vrc"));  // replaces, never appends
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray("/a.vrc"));
  EXPECT_FALSE(QFile::exists(handOver));
  EXPECT_EQ(TakeHandOverFile(handOver), QByteArray());
}

TEST(HandOverFile, LongPathIsCutAt255BytesAndAZeroByteEndsIt) {
  QTemporaryDir folder;
  const QString handOver = folder.filePath("FileName.tmp");
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
  QTemporaryDir folder;
  const QString channel = folder.filePath("OneOrvik");
  HandOverListener listener;
  ASSERT_TRUE(listener.Listen(channel));
  int handled = 0;
  std::atomic<bool> answered = false;
  QObject::connect(&listener, &HandOverListener::handOverKnocked, [&] {
    EXPECT_FALSE(answered);  // the second start still waits
    ++handled;
  });

  std::thread secondStart([&] { answered = KnockOnRunningInstance(channel); });
  QElapsedTimer waited;
  waited.start();
  while (!answered && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  secondStart.join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(handled, 1);
}

TEST(HandOverChannel, ChannelLeftByADeadInstanceIsReplacedAndNoListenerMeansNoAnswer) {
  QTemporaryDir folder;
  const QString channel = folder.filePath("OneOrvik");
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

// SPDX-License-Identifier: GPL-3.0-or-later
// What the window leaves on disk and on screen over several sessions with a
// (simulated) box: earlier record files are never replaced, heart rates are
// scaled per session, and nothing arriving after a disconnect is counted.
#include <gtest/gtest.h>

#include <QProcess>

#include "box_window_fixture.h"
#include "export/export_writer.h"
#include "screen/quiet_screen.h"
#include "session/record_reader.h"
#include "support/process_runner.h"

namespace veltrasko {
namespace {

using namespace test;

class BoxRecordFilesTest : public BoxWindowTest {
 protected:
  void ResetBox() const { form->Menu().Resetcomputer1->trigger(); }
  void Disconnect() const { Boxes().USB_disconnect1->trigger(); }

  // The count of the session before stays until the new file is made.
  bool RecordSession(const QString& baseName, unsigned strokes) {
    if (!ConnectAndName(1, baseName)) return false;
    ResetBox();
    return WaitUntil([this] { return Panel(4).endsWith(".vrc"); }) && RecordStrokes(strokes);
  }

  QByteArray BytesOf(const QString& name) const {
    QFile file(QtPath(folder, name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(BoxRecordFilesTest, UsedNamesNeverReplaceAnEarlierSession) {
  AttachBoxes({{"BOXSIM_STROKES", "12"}});
  OpenWindow();
  ASSERT_TRUE(RecordSession("race", 12));
  Disconnect();
  const QByteArray first = BytesOf("race_00.vrc");
  ASSERT_EQ(first.size(), 58 + 10 + 12 * 38);

  ASSERT_TRUE(RecordSession("race", 12));
  EXPECT_EQ(Panel(4), QtPath(folder, "race_01.vrc"));
  Disconnect();

  // "Save next..." with the same name during the session: the next reset
  // starts again at 00 and passes over the taken numbers.
  ASSERT_TRUE(RecordSession("race", 12));
  EXPECT_EQ(Panel(4), QtPath(folder, "race_02.vrc"));
  AnswerSaveQuestion("race");
  form->Menu().Savenext1->trigger();
  ResetBox();
  ASSERT_TRUE(WaitUntil([&] { return Panel(4) == QtPath(folder, "race_03.vrc"); }));
  ASSERT_TRUE(RecordStrokes(12));
  form->close();

  EXPECT_EQ(BytesOf("race_00.vrc"), first);
  for (const char* name : {"race_01.vrc", "race_02.vrc", "race_03.vrc"}) ExpectSessionOnFile(name, 12);
}

TEST_F(BoxRecordFilesTest, FileOfAnEarlierRunIsKept) {
  QString::fromStdString(MakeRecordFile(folder, "race_00.vrc", {"--strokes", "30"}));
  const QByteArray before = BytesOf("race_00.vrc");
  AttachBoxes({{"BOXSIM_STROKES", "12"}});
  OpenWindow();
  ASSERT_TRUE(RecordSession("race", 12));
  EXPECT_EQ(Panel(4), QtPath(folder, "race_01.vrc"));
  form->close();
  EXPECT_EQ(BytesOf("race_00.vrc"), before);
  ExpectSessionOnFile("race_01.vrc", 12);
}

// The export tool reads a file as a freshly started program; the window must
// export the same bytes whatever box it had before.
TEST_F(BoxRecordFilesTest, SessionOfAOneSeventeenBoxScalesOnlyItsOwnHeartRates) {
  const QString plain = QString::fromStdString(MakeRecordFile(folder, "plain.vrc", {"--strokes", "30"}));
  AttachBoxes({{"BOXSIM_STROKES", "12"}, {"BOXSIM_VERSION", "117"}});
  OpenWindow();
  ASSERT_TRUE(RecordSession("old", 12));
  Disconnect();

  // Its file shows the same heart rates as the session did, in a fresh program too.
  const auto fresh = std::make_unique<AnalyserCore>();
  QuietScreen screen;
  RecordReader(*fresh, screen.Sinks()).OpenRecordFile(QFile::encodeName(QtPath(folder, "old_00.vrc")).toStdString());
  ASSERT_EQ(fresh->FileStrokes().Count(), core.OnlineStrokes().Count());
  EXPECT_GT(core.OnlineStrokes()[0].HeartRate, 0.0f);
  EXPECT_EQ(fresh->FileStrokes()[0].HeartRate, core.OnlineStrokes()[0].HeartRate);

  AnswerSaveQuestion("plain.vrc");
  form->Menu().Openfile1->trigger();
  AnswerSaveQuestion("window.csv");
  form->Menu().Export1->trigger();
  const QString tool = qEnvironmentVariable("VELTRASKO_EXPORT", VELTRASKO_EXPORT);
  ASSERT_EQ(QProcess::execute(tool, {"-o", QtPath(folder, "tool.csv"), plain}), 0) << qPrintable(tool);
  EXPECT_EQ(BytesOf("window.csv"), BytesOf("tool.csv"));
  EXPECT_FALSE(BytesOf("tool.csv").isEmpty());
}

// A fast box always has a report waiting. While the main thread does not
// serve the reader, it soon stops reading and waits to hand one over; the
// disconnect chosen then leaves that report to arrive after the file closed.
TEST_F(BoxRecordFilesTest, ReportArrivingAfterTheDisconnectIsNeitherCountedNorShown) {
  AttachBoxes({{"BOXSIM_PACE", "20000"}});
  OpenWindow();
  ASSERT_TRUE(RecordSession("race", 20));
  ASSERT_TRUE(WaitWithoutEventsUntil([] { return boxsim::ReadingThreadCount(std::chrono::milliseconds(50)) == 0; }));
  Disconnect();
  ASSERT_TRUE(WaitUntil([this] { return form->Link().LiveReaderCount() == 0; }));
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(core.OnlineStrokes().Count(), core.Session().StrokeCount);
  ExpectSessionOnFile("race_00.vrc", core.Session().StrokeCount);
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/record_reader.h"

#include <gtest/gtest.h>

#include "record_reading_fixture.h"
#include "session/record_file.h"
#include "support/core_state_for_tests.h"
#include "support/session_samples.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::AppendFrame;
using test::Bytes;
using test::RecordReadingTest;
using test::ShortWaterStroke;
using test::WithBadChecksum;
using test::WriteWholeFile;

PersonalData NamedData(std::string_view name) {
  PersonalData data;
  data.SetText(PersonNameField, name);
  data.SetText(FanResistanceField, "5");
  data.SetText(WeightTextField, "80");
  data.SetText(SessionDateField, "3-7-2024");
  return data;
}

// The bytes of a file as the recorder writes it: personal data, session
// start, then the strokes numbered 1 to `strokes`.
Bytes SessionBytes(std::uint16_t strokes, std::int16_t weight = 80, std::string_view name = "Kayak",
                   std::int16_t boxVersion = 118) {
  Bytes bytes;
  AppendFrame(bytes, PersonalDataTag, NamedData(name).Bytes);
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(boxVersion, weight).Bytes);
  for (std::uint16_t n = 1; n <= strokes; ++n) AppendFrame(bytes, StrokeTag, AcceptedStroke(n).Bytes);
  return bytes;
}

std::vector<std::uint16_t> StrokeNumbers(const StrokeTable& table) {
  std::vector<std::uint16_t> numbers;
  table.ForEachRow([&](const StrokeRow& row) { numbers.push_back(row.StrokeNumber); });
  return numbers;
}

class RecordReaderTest : public RecordReadingTest {};

TEST_F(RecordReaderTest, FileOfThreeStrokesFillsTheFileView) {
  const std::string path = WriteFile("race_00.vrc", SessionBytes(3));

  reader.OpenRecordFile(path);

  EXPECT_EQ(core.File().FileStrokeCount, 3u);
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 2, 3}));
  EXPECT_EQ(recorded.Plotted.size(), 3u);
  EXPECT_EQ(core.File().DisplayedFileStrokeCount, 3);
  EXPECT_EQ(core.File().FileHeader.BoxVersion, 118);
  EXPECT_EQ(core.File().FileHeader.Weight, 80);
  EXPECT_EQ(core.File().FileHeader.FileName.View(), path);
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Kayak");
  EXPECT_EQ(core.File().FileSessionsSeen, 1);
  EXPECT_EQ(core.Session().OnlineShown, 0);
  EXPECT_EQ(recorded.LastStatus(StatusPanel::Strokes), " Strokes: 3");
  EXPECT_EQ(recorded.LastStatus(StatusPanel::Weight), " Weight: 80 Kg");
  EXPECT_EQ(recorded.LastStatus(StatusPanel::FileOrHint), path);
  EXPECT_TRUE(recorded.Messages().empty());
}

TEST_F(RecordReaderTest, SinksAreCalledInTheOrderOfReading) {
  const std::string path = WriteFile("one.vrc", SessionBytes(1));

  reader.OpenRecordFile(path);

  EXPECT_EQ(recorded.Log, (std::vector<std::string>{
                              "clear",
                              "status2: Strokes: 0",
                              "status3: Weight: 80 Kg",
                              "status4:" + path,
                              "plot:1",
                              "status2: Strokes: 1",
                              "axes",
                              "file graph",
                              "axes",
                          }));
}

TEST_F(RecordReaderTest, FileWithoutSessionStartCannotBeOpenedAndKeepsThePreviousFile) {
  const std::string good = WriteFile("good.vrc", SessionBytes(2));
  Bytes onlyPersonal;
  AppendFrame(onlyPersonal, PersonalDataTag, NamedData("Eva").Bytes);
  const std::string bad = WriteFile("personal.vrc", onlyPersonal);
  reader.OpenRecordFile(good);
  recorded.Log.clear();

  EXPECT_EQ(reader.OpenRecordFile(bad), RecordOpenResult::Unreadable);

  EXPECT_EQ(recorded.Log,
            (std::vector<std::string>{"clear", "axes", "file graph", "axes", "message:Could not open file!"}));
  EXPECT_EQ(core.Session().OnlineShown, 1);
  EXPECT_EQ(core.File().FileHeader.BoxVersion, 0);
  EXPECT_EQ(core.File().FileStrokeCount, 2u);
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 2}));
  EXPECT_EQ(core.File().FileHeader.FileName.View(), good);
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Eva");
}

TEST_F(RecordReaderTest, MissingAndOverlongPathsCannotBeOpened) {
  reader.OpenRecordFile(folder.File("nothing-here.vrc"));
  reader.OpenRecordFile("");
  reader.OpenRecordFile(std::string(300, 'a'));
  EXPECT_EQ(recorded.Messages(), std::vector<std::string>(3, "Could not open file!"));
  EXPECT_TRUE(core.File().FileHeader.FileName.View().empty());
}

TEST_F(RecordReaderTest, PathsUpTo199BytesAreRead) {
  const std::string base = folder.File("");
  const std::string longest = base + std::string(199 - base.size() - 4, 'p') + ".vrc";
  const std::string tooLong = base + std::string(200 - base.size() - 4, 'p') + ".vrc";
  ASSERT_EQ(longest.size(), 199u);
  WriteWholeFile(longest, SessionBytes(1));
  WriteWholeFile(tooLong, SessionBytes(1));

  EXPECT_TRUE(reader.ReadRecordFile(longest));
  EXPECT_EQ(core.File().FileHeader.FileName.View(), longest);
  EXPECT_FALSE(reader.ReadRecordFile(tooLong));
  EXPECT_EQ(core.File().FileHeader.FileName.View(), longest);
}

TEST_F(RecordReaderTest, SessionStartWithoutStrokesGivesAnEmptyTable) {
  reader.OpenRecordFile(WriteFile("race.vrc", SessionBytes(3)));
  reader.OpenRecordFile(WriteFile("empty.vrc", SessionBytes(0, 72)));

  EXPECT_TRUE(recorded.Messages().empty());
  EXPECT_TRUE(core.FileStrokes().Empty());
  EXPECT_EQ(core.File().FileStrokeCount, 0u);
  EXPECT_EQ(core.File().FileHeader.Weight, 72);
  EXPECT_EQ(recorded.LastStatus(StatusPanel::Strokes), " Strokes: 0");
}

TEST_F(RecordReaderTest, GarbageAndBadChecksumsAreSkipped) {
  Bytes bytes = {0x01, 0x02, 0xFF, 0xFF, 0x00};
  AppendFrame(bytes, PersonalDataTag, NamedData("Kayak").Bytes);
  AppendFrame(bytes, SessionStartTag, WithBadChecksum(AcceptedStroke(1)).Bytes);  // a start of stroke size
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(1).Bytes);
  AppendFrame(bytes, StrokeTag, WithBadChecksum(AcceptedStroke(2)).Bytes);
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0x13, 0x37});
  AppendFrame(bytes, StrokeTag, AcceptedStroke(2).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(3).Bytes);

  EXPECT_TRUE(reader.ReadRecordFile(WriteFile("damaged.vrc", bytes)));
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 2, 3}));
}

TEST_F(RecordReaderTest, TruncatedLastFrameIsIgnoredAndDoesNotReachTheNextFile) {
  Bytes truncated = SessionBytes(3);
  AppendFrame(truncated, StrokeTag, AcceptedStroke(4).Bytes);
  truncated.resize(truncated.size() - 18);
  ASSERT_TRUE(reader.ReadRecordFile(WriteFile("cut.vrc", truncated)));
  EXPECT_EQ(core.File().FileStrokeCount, 3u);

  ASSERT_TRUE(reader.ReadRecordFile(WriteFile("next.vrc", SessionBytes(2, 80, "Eva"))));
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 2}));
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Eva");
}

TEST_F(RecordReaderTest, SecondSessionStartInAFileStartsTheTableAgain) {
  Bytes bytes = SessionBytes(4);
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 75).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(1).Bytes);

  EXPECT_TRUE(reader.ReadRecordFile(WriteFile("two.vrc", bytes)));
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1}));
  EXPECT_EQ(core.File().FileHeader.Weight, 75);
  EXPECT_EQ(core.File().FileSessionsSeen, 2);
  EXPECT_EQ(recorded.Plotted.size(), 5u);
}

// Strokes before a file's session start belong to no session of it: taken,
// they would run into the table of the file read before.
TEST_F(RecordReaderTest, StrokesBeforeTheSessionStartOfAFileAreNeverTaken) {
  Bytes bytes;
  AppendFrame(bytes, PersonalDataTag, NamedData("Kayak").Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(2).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(3).Bytes);
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(1).Bytes);
  const std::string early = WriteFile("early.vrc", bytes);
  Bytes strokesOnly;
  for (std::uint16_t n = 1; n <= 3; ++n) AppendFrame(strokesOnly, StrokeTag, AcceptedStroke(n).Bytes);
  const std::string headless = WriteFile("headless.vrc", strokesOnly);

  for (int read = 0; read < 2; ++read) {
    recorded.Plotted.clear();
    EXPECT_TRUE(reader.ReadRecordFile(early));
    EXPECT_EQ(recorded.Plotted.size(), 1u);
  }
  EXPECT_EQ(reader.OpenRecordFile(headless), RecordOpenResult::Unreadable);
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1}));
  EXPECT_EQ(core.File().FileStrokeCount, 1u);
}

TEST_F(RecordReaderTest, RejectedStrokesAreRejectedAgainWhenRead) {
  const std::string path = folder.File("rejected.vrc");
  RecordFile file;
  PersonalData data = NamedData("Kayak");
  PersonalDataMarks marks;
  ASSERT_TRUE(file.Create(path));
  WritePersonalDataFrame(file, data, {2024, 3, 7}, marks);
  WriteSessionStartFrame(file, EncodeSessionStart(118, 80));
  WriteStrokeFrame(file, AcceptedStroke(1));
  WriteStrokeFrame(file, ShortWaterStroke(2));  // too short in the water
  WriteStrokeFrame(file, AcceptedStroke(3));    // hence too short in the air
  WriteStrokeFrame(file, AcceptedStroke(4));
  WriteStrokeFrame(file, AcceptedStroke(4));  // a repeat
  WriteStrokeFrame(file, AcceptedStroke(5));
  file.Close();

  EXPECT_TRUE(reader.ReadRecordFile(path));
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 4, 5}));
  EXPECT_EQ(recorded.LastStatus(StatusPanel::Strokes), " Strokes: 3");
}

TEST_F(RecordReaderTest, LastPersonalDataFrameWins) {
  Bytes bytes = SessionBytes(2);
  AppendFrame(bytes, PersonalDataTag, NamedData("Eva").Bytes);
  AppendFrame(bytes, PersonalDataTag, NamedData("Ida").Bytes);

  reader.OpenRecordFile(WriteFile("renamed.vrc", bytes));

  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Ida");
  EXPECT_EQ(core.File().FileStrokeCount, 2u);
}

TEST_F(RecordReaderTest, FileWithoutPersonalDataShowsEmptyFields) {
  reader.OpenRecordFile(WriteFile("named.vrc", SessionBytes(1)));
  Bytes bytes;
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  reader.OpenRecordFile(WriteFile("bare.vrc", bytes));

  EXPECT_TRUE(core.File().FilePersonalData.PersonName().empty());
  EXPECT_TRUE(core.File().FilePersonalData.FanResistance().empty());
  EXPECT_TRUE(core.File().FilePersonalData.WeightText().empty());
  EXPECT_TRUE(core.File().FilePersonalData.SessionDate().empty());
}

TEST_F(RecordReaderTest, ShortSessionsBehindDenseFramesAreReadToTheEnd) {
  // Session starts and personal data take more scans than the blocks they
  // arrive in; the strokes behind them must still all be read.
  Bytes bytes = SessionBytes(1);
  for (int session = 0; session < 30; ++session)
    AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, static_cast<std::int16_t>(60 + session)).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(1).Bytes);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(2).Bytes);

  EXPECT_TRUE(reader.ReadRecordFile(WriteFile("dense.vrc", bytes)));
  EXPECT_EQ(core.File().FileHeader.Weight, 89);
  EXPECT_EQ(StrokeNumbers(core.FileStrokes()), (std::vector<std::uint16_t>{1, 2}));
}

TEST_F(RecordReaderTest, LongFileIsReadAcrossManyReadBuffers) {
  constexpr std::uint16_t strokes = 5000;  // about three read buffers
  const std::string path = WriteFile("long.vrc", SessionBytes(strokes));

  EXPECT_TRUE(reader.ReadRecordFile(path));
  EXPECT_EQ(core.File().FileStrokeCount, strokes);
  std::uint16_t expected = 1;
  bool inOrder = true;
  core.FileStrokes().ForEachRow([&](const StrokeRow& row) { inOrder = inOrder && row.StrokeNumber == expected++; });
  EXPECT_TRUE(inOrder);
}

// The factor is the file's own: a live session of a 1.17 box before does not
// change a 1.18 file, and a 1.17 file is read in fifths in any run.
TEST_F(RecordReaderTest, HeartRateUsesTheFactorOfTheFilesSession) {
  const std::string fifths = WriteFile("fifths.vrc", SessionBytes(1, 80, "Kayak", 117));
  const std::string plain = WriteFile("plain.vrc", SessionBytes(1));
  CoreStateForTests::Session(core).HeartRateFactor = 5;
  ASSERT_TRUE(reader.ReadRecordFile(plain));
  EXPECT_FLOAT_EQ(core.FileStrokes()[0].HeartRate, 140.0f);

  CoreStateForTests::Session(core).HeartRateFactor = 1;
  ASSERT_TRUE(reader.ReadRecordFile(fifths));
  EXPECT_FLOAT_EQ(core.FileStrokes()[0].HeartRate, 700.0f);
  ASSERT_TRUE(reader.ReadRecordFile(plain));
  EXPECT_FLOAT_EQ(core.FileStrokes()[0].HeartRate, 140.0f);
}

}  // namespace
}  // namespace veltrasko

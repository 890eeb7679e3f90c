// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/record_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::Bytes;
using test::ReadWholeFile;
using test::TemporaryFolder;
using test::WriteWholeFile;

constexpr CalendarDate March7{2024, 3, 7};

PersonalData KayakData() {
  PersonalData data;
  data.SetText(PersonNameField, "Kayak");
  data.SetText(FanResistanceField, "5");
  data.SetText(WeightTextField, WeightFieldText(80));
  return data;
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

Bytes Frame(const FrameTag& tag, std::span<const std::uint8_t> payload) {
  Bytes frame;
  test::AppendFrame(frame, tag, payload);
  return frame;
}

TEST(RecordFileLayout, SessionOfThreeStrokesIsTheFramesInWritingOrder) {
  TemporaryFolder folder;
  const std::string path = folder.File("race_00.vrc");
  PersonalData data = KayakData();
  PersonalDataMarks marks;
  marks.OnlinePersonalChanged = 1;
  const SessionStartMessage start = EncodeSessionStart(118, 80);

  RecordFile file;
  ASSERT_TRUE(file.Create(path));
  WritePersonalDataFrame(file, data, March7, marks);
  WriteSessionStartFrame(file, start);
  for (std::uint16_t n = 1; n <= 3; ++n) WriteStrokeFrame(file, AcceptedStroke(n));
  file.Close();

  const Bytes bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 182u);
  EXPECT_EQ(Slice(bytes, 0, 10), (Bytes{0xFF, 0xFF, 0xFF, 0xFD, 0x4B, 0x61, 0x79, 0x61, 0x6B, 0x00}));
  EXPECT_EQ(data.SessionDate(), "3-7-2024");
  EXPECT_EQ(Slice(bytes, 4, 54), Bytes(data.Bytes.begin(), data.Bytes.end()));
  EXPECT_EQ(Slice(bytes, 58, 10), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0x76, 0x00, 0x50, 0x00, 0xC6, 0x00}));
  for (std::uint16_t n = 1; n <= 3; ++n)
    EXPECT_EQ(Slice(bytes, 68 + 38u * (n - 1), 38), Frame(StrokeTag, AcceptedStroke(n).Bytes)) << n;
  EXPECT_EQ(marks.OnlinePersonalChanged, 0);
  EXPECT_FALSE(file.WriteFailed());
}

TEST(RecordFileLayout, SessionWithoutStrokesHoldsPersonalDataAndSessionStart) {
  TemporaryFolder folder;
  const std::string path = folder.File("empty.vrc");
  PersonalData data = KayakData();
  PersonalDataMarks marks;
  RecordFile file;
  ASSERT_TRUE(file.Create(path));
  WritePersonalDataFrame(file, data, March7, marks);
  WriteSessionStartFrame(file, EncodeSessionStart(118, 80));
  file.Close();

  EXPECT_EQ(ReadWholeFile(path).size(), 68u);
}

TEST(RecordFileLayout, EveryFrameIsOnDiskAsSoonAsItIsWritten) {
  TemporaryFolder folder;
  const std::string path = folder.File("live.vrc");
  RecordFile file;
  ASSERT_TRUE(file.Create(path));
  WriteStrokeFrame(file, AcceptedStroke(1));
  EXPECT_EQ(ReadWholeFile(path), Frame(StrokeTag, AcceptedStroke(1).Bytes));
}

TEST(RecordFileCreate, ReplacesAnExistingFile) {
  TemporaryFolder folder;
  const std::string path = folder.File("again.vrc");
  WriteWholeFile(path, Bytes(500, 0xAA));

  RecordFile file;
  ASSERT_TRUE(file.Create(path));
  WriteSessionStartFrame(file, EncodeSessionStart(118, 80));
  file.Close();

  EXPECT_EQ(ReadWholeFile(path), Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes));
}

TEST(RecordFileCreate, NewFileNeverOpensATakenNameAndCanBeStartedAgain) {
  TemporaryFolder folder;
  const Bytes earlier(500, 0xAA);
  WriteWholeFile(folder.File("kept.vrc"), earlier);
  std::filesystem::create_symlink(folder.File("kept.vrc"), folder.File("link.vrc"));
  std::filesystem::create_symlink(folder.File("nowhere.vrc"), folder.File("dangling.vrc"));

  RecordFile file;
  using Result = RecordFile::CreateResult;
  EXPECT_EQ(file.CreateNew(folder.File("kept.vrc")), Result::NameTaken);
  EXPECT_EQ(file.CreateNew(folder.File("link.vrc")), Result::NameTaken);
  EXPECT_EQ(file.CreateNew(folder.File("dangling.vrc")), Result::NameTaken);
  EXPECT_EQ(file.CreateNew(folder.File("missing/new.vrc")), Result::Failed);
  EXPECT_EQ(file.CreateNew(""), Result::Failed);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadWholeFile(folder.File("kept.vrc")), earlier);
  EXPECT_FALSE(std::filesystem::exists(folder.File("nowhere.vrc")));

  ASSERT_EQ(file.CreateNew(folder.File("new.vrc")), Result::Created);
  WriteStrokeFrame(file, AcceptedStroke(1));
  ASSERT_TRUE(file.Restart());
  WriteSessionStartFrame(file, EncodeSessionStart(118, 80));
  file.Close();
  EXPECT_EQ(ReadWholeFile(folder.File("new.vrc")), Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes));
  EXPECT_FALSE(file.Restart());
}

TEST(RecordFileCreate, FailureLeavesNoFileOpenAndWritesNothing) {
  TemporaryFolder folder;
  RecordFile file;
  EXPECT_FALSE(file.Create(folder.File("missing/dir.vrc")));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Create(""));
  WriteStrokeFrame(file, AcceptedStroke(1));
  EXPECT_FALSE(file.WriteFailed());

  // Creating a second file closes the first one.
  ASSERT_TRUE(file.Create(folder.File("a.vrc")));
  ASSERT_TRUE(file.Create(folder.File("b.vrc")));
  WriteStrokeFrame(file, AcceptedStroke(1));
  file.Close();
  EXPECT_TRUE(ReadWholeFile(folder.File("a.vrc")).empty());
  EXPECT_EQ(ReadWholeFile(folder.File("b.vrc")).size(), 38u);
}

TEST(RecordFileWrite, FailedWriteIsRemembered) {
  RecordFile file;
  ASSERT_TRUE(file.Create("/dev/full"));
  WriteStrokeFrame(file, AcceptedStroke(1));
  EXPECT_TRUE(file.WriteFailed());
}

TEST(RecordFileWrite, FileRemovedWhileOpenCountsAsAFailedWrite) {
  TemporaryFolder folder;
  RecordFile file;
  ASSERT_TRUE(file.Create(folder.File("race.vrc")));
  WriteStrokeFrame(file, AcceptedStroke(1));
  std::filesystem::rename(folder.File("race.vrc"), folder.File("moved.vrc"));
  WriteStrokeFrame(file, AcceptedStroke(2));
  EXPECT_FALSE(file.WriteFailed()) << "a moved file can still be read";
  EXPECT_EQ(ReadWholeFile(folder.File("moved.vrc")).size(), 2 * 38u);

  std::filesystem::remove(folder.File("moved.vrc"));
  WriteStrokeFrame(file, AcceptedStroke(3));
  EXPECT_TRUE(file.WriteFailed());
}

TEST(RecordFileAppend, AppendsOneFrameAndLeavesTheRestAlone) {
  TemporaryFolder folder;
  const std::string path = folder.File("session.vrc");
  const Bytes original = Frame(SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  WriteWholeFile(path, original);
  PersonalData changed = KayakData();
  changed.SetText(PersonNameField, "Eva");

  ASSERT_TRUE(AppendPersonalDataFrame(path, changed));

  const Bytes bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), original.size() + 58);
  EXPECT_EQ(Slice(bytes, 0, original.size()), original);
  EXPECT_EQ(Slice(bytes, original.size(), 58), Frame(PersonalDataTag, changed.Bytes));
}

TEST(RecordFileAppend, MissingFileIsNotCreated) {
  TemporaryFolder folder;
  const std::string path = folder.File("gone.vrc");
  EXPECT_FALSE(AppendPersonalDataFrame(path, KayakData()));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(AppendPersonalDataFrame("", KayakData()));
}

}  // namespace
}  // namespace veltrasko

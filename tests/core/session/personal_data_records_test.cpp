// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/personal_data_records.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "record_reading_fixture.h"
#include "support/session_samples.h"
#include "session/record_file.h"
#include "session/record_reader.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::AppendFrame;
using test::Bytes;
using test::ReadWholeFile;
using test::RecordReadingTest;

PersonalData StoredData() {
  PersonalData data;
  data.SetText(PersonNameField, "Kayak");
  data.SetText(FanResistanceField, "5");
  data.SetText(WeightTextField, "80");
  data.SetText(SessionDateField, "3-7-2024");
  return data;
}

class PersonalDataRecordsTest : public RecordReadingTest {
 protected:
  // A recorded session opened in the file view.
  std::string OpenSession() {
    Bytes bytes;
    AppendFrame(bytes, PersonalDataTag, StoredData().Bytes);
    AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
    AppendFrame(bytes, StrokeTag, AcceptedStroke(1).Bytes);
    const std::string path = WriteFile("race_00.vrc", bytes);
    reader.OpenRecordFile(path);
    return path;
  }
};

TEST_F(PersonalDataRecordsTest, TakenFrameReplacesTheFileDataAndClearsTheChangedMark) {
  core.PersonalMarks.FilePersonalChanged = 1;
  TakeFilePersonalData(core, recorded, StoredData());

  EXPECT_EQ(core.File.FilePersonalData, StoredData());
  EXPECT_EQ(core.PersonalMarks.FilePersonalChanged, 0);
  EXPECT_TRUE(recorded.Log.empty());  // the dialog was never shown
}

TEST_F(PersonalDataRecordsTest, TakenFrameReachesTheDialogOnceItWasShown) {
  core.PersonalMarks.PersonalDialogShown = 1;
  TakeFilePersonalData(core, recorded, StoredData());
  EXPECT_EQ(recorded.Log, (std::vector<std::string>{"file personal:Kayak"}));
}

TEST_F(PersonalDataRecordsTest, ChangeIsAppendedAndReadBackFromTheFile) {
  const std::string path = OpenSession();
  const std::size_t sizeBefore = ReadWholeFile(path).size();

  ASSERT_TRUE(AppendFilePersonalData(core, "Eva", "7"));

  EXPECT_EQ(ReadWholeFile(path).size(), sizeBefore + 58);
  EXPECT_EQ(core.File.FilePersonalData.PersonName(), "Eva");
  EXPECT_EQ(core.File.FilePersonalData.FanResistance(), "7");
  EXPECT_EQ(core.File.FilePersonalData.WeightText(), "80");
  EXPECT_EQ(core.File.FilePersonalData.SessionDate(), "3-7-2024");

  ASSERT_TRUE(AppendFilePersonalData(core, "Ida", "7"));
  core.File.FilePersonalData = PersonalData{};
  reader.OpenRecordFile(path);
  EXPECT_EQ(core.File.FilePersonalData.PersonName(), "Ida");
  EXPECT_EQ(core.File.FilePersonalData.WeightText(), "80");
  EXPECT_EQ(core.File.FileStrokeCount, 1u);
  EXPECT_TRUE(recorded.Messages().empty());
}

TEST_F(PersonalDataRecordsTest, EmptyTextsAreStoredAsABlank) {
  OpenSession();
  ASSERT_TRUE(AppendFilePersonalData(core, "", ""));
  EXPECT_EQ(core.File.FilePersonalData.PersonName(), " ");
  EXPECT_EQ(core.File.FilePersonalData.FanResistance(), " ");
}

TEST_F(PersonalDataRecordsTest, OverlongTextsStayInsideTheirFields) {
  OpenSession();
  ASSERT_TRUE(AppendFilePersonalData(core, std::string(50, 'n'), "12345"));
  EXPECT_EQ(core.File.FilePersonalData.PersonName(), std::string(34, 'n'));
  EXPECT_EQ(core.File.FilePersonalData.FanResistance(), "123");
  EXPECT_EQ(core.File.FilePersonalData.WeightText(), "80");
}

TEST_F(PersonalDataRecordsTest, NothingIsStoredWithoutAWritableFile) {
  core.File.FilePersonalData = StoredData();
  EXPECT_FALSE(AppendFilePersonalData(core, "Eva", "7"));  // no file opened yet
  EXPECT_EQ(core.File.FilePersonalData, StoredData());

  const std::string path = OpenSession();
  std::filesystem::remove(path);
  EXPECT_FALSE(AppendFilePersonalData(core, "Eva", "7"));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(core.File.FilePersonalData.PersonName(), "Kayak");
}

}  // namespace
}  // namespace veltrasko

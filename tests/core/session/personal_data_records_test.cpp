// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "record_reading_fixture.h"
#include "session/record_file.h"
#include "session/record_reader.h"
#include "support/session_samples.h"

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

TEST_F(PersonalDataRecordsTest, FrameReadReplacesTheFileDataAndReachesTheDialogOnceItWasShown) {
  const auto shownToDialog = [&] {
    return std::count(recorded.Log.begin(), recorded.Log.end(), "file personal:Kayak");
  };
  core.FilePersonalDataEdited();
  OpenSession();
  EXPECT_EQ(core.File().FilePersonalData, StoredData());
  EXPECT_EQ(core.PersonalMarks().FilePersonalChanged, 0);
  EXPECT_EQ(shownToDialog(), 0);

  core.PersonalDataShown();
  OpenSession();
  EXPECT_EQ(shownToDialog(), 1);
}

TEST_F(PersonalDataRecordsTest, ApplyStoresTheOnlineTextsAndAsksOnlyBeforeReplacingStoredFileTexts) {
  EXPECT_EQ(core.ApplyPersonalData("Eva", ""), FileColumnApply::Unchanged);
  EXPECT_EQ(core.Session().OnlinePersonalData.PersonName(), "Eva");
  EXPECT_EQ(core.Session().OnlinePersonalData.FanResistance(), " ");

  core.FilePersonalDataEdited();
  EXPECT_EQ(core.ApplyPersonalData("Eva", "7"), FileColumnApply::Store);  // no file: nothing to lose
  EXPECT_EQ(core.PersonalMarks().FilePersonalChanged, 0);

  OpenSession();
  core.FilePersonalDataEdited();
  EXPECT_EQ(core.ApplyPersonalData("Eva", "7"), FileColumnApply::Ask);
  EXPECT_EQ(core.ApplyPersonalData("Eva", "7"), FileColumnApply::Unchanged);
}

TEST_F(PersonalDataRecordsTest, ChangeIsAppendedAndReadBackFromTheFile) {
  const std::string path = OpenSession();
  const std::size_t sizeBefore = ReadWholeFile(path).size();

  ASSERT_TRUE(core.StoreFilePersonalData("Eva", "7"));

  EXPECT_EQ(ReadWholeFile(path).size(), sizeBefore + 58);
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Eva");
  EXPECT_EQ(core.File().FilePersonalData.FanResistance(), "7");
  EXPECT_EQ(core.File().FilePersonalData.WeightText(), "80");
  EXPECT_EQ(core.File().FilePersonalData.SessionDate(), "3-7-2024");

  ASSERT_TRUE(core.StoreFilePersonalData("Ida", "7"));
  reader.OpenRecordFile(path);
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Ida");
  EXPECT_EQ(core.File().FilePersonalData.WeightText(), "80");
  EXPECT_EQ(core.File().FileStrokeCount, 1u);
  EXPECT_TRUE(recorded.Messages().empty());
}

TEST_F(PersonalDataRecordsTest, EmptyTextsAreStoredAsABlank) {
  OpenSession();
  ASSERT_TRUE(core.StoreFilePersonalData("", ""));
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), " ");
  EXPECT_EQ(core.File().FilePersonalData.FanResistance(), " ");
}

TEST_F(PersonalDataRecordsTest, OverlongTextsStayInsideTheirFields) {
  OpenSession();
  ASSERT_TRUE(core.StoreFilePersonalData(std::string(50, 'n'), "12345"));
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), std::string(34, 'n'));
  EXPECT_EQ(core.File().FilePersonalData.FanResistance(), "123");
  EXPECT_EQ(core.File().FilePersonalData.WeightText(), "80");
}

TEST_F(PersonalDataRecordsTest, NothingIsStoredWithoutAWritableFile) {
  EXPECT_FALSE(core.StoreFilePersonalData("Eva", "7"));  // no file opened yet
  EXPECT_EQ(core.File().FilePersonalData, PersonalData{});

  const std::string path = OpenSession();
  std::filesystem::remove(path);
  EXPECT_FALSE(core.StoreFilePersonalData("Eva", "7"));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), "Kayak");
}

}  // namespace
}  // namespace veltrasko

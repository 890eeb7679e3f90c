// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/personal_data.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace veltrasko {
namespace {

std::string FieldBytes(const PersonalData& data, PersonalField field) {
  return std::string(reinterpret_cast<const char*>(data.Bytes.data() + field.offset), field.width);
}

TEST(PersonalDataDates, SessionDateHasNoLeadingZerosAndCompactDateHasThem) {
  EXPECT_EQ(SessionDateText({2024, 3, 7}), "3-7-2024");
  EXPECT_EQ(SessionDateText({2024, 12, 31}), "12-31-2024");
  EXPECT_EQ(CompactDateText({2024, 3, 7}), "20240307");
  EXPECT_EQ(CompactDateText({2024, 12, 31}), "20241231");
}

TEST(PersonalDataDates, TodayIsTheLocalCalendarDate) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::time_t before = std::time(nullptr);
    const CalendarDate today = Today();
    const std::time_t after = std::time(nullptr);
    std::tm local{};
    std::tm localAfter{};
    localtime_r(&before, &local);
    localtime_r(&after, &localAfter);
    if (local.tm_mday != localAfter.tm_mday) continue;  // midnight passed meanwhile
    EXPECT_EQ(today.Year, local.tm_year + 1900);
    EXPECT_EQ(today.Month, local.tm_mon + 1);
    EXPECT_EQ(today.Day, local.tm_mday);
    return;
  }
}

TEST(PersonalDataFields, SetTextKeepsBytesBehindTheTerminatorAndTheNextField) {
  PersonalData data;
  data.SetText(PersonNameField, "Longername");
  data.SetText(FanResistanceField, "7");
  data.SetText(PersonNameField, "Kayak");

  EXPECT_EQ(data.PersonName(), "Kayak");
  EXPECT_EQ(FieldBytes(data, PersonNameField).substr(0, 11), std::string("Kayak\0name\0", 11));
  EXPECT_EQ(data.FanResistance(), "7");
}

TEST(PersonalDataFields, OverlongTextIsCutToTheFieldAndTerminated) {
  PersonalData data;
  data.SetText(FanResistanceField, "5");
  data.SetText(PersonNameField, std::string(60, 'x'));
  EXPECT_EQ(data.PersonName(), std::string(34, 'x'));
  EXPECT_EQ(data.Bytes[34], 0);
  EXPECT_EQ(data.FanResistance(), "5");

  data.SetText(SessionDateField, "10-10-20245");  // would need twelve bytes
  EXPECT_EQ(data.SessionDate(), "10-10-2024");
  EXPECT_EQ(data.Bytes[PersonalDataLength - 1], 0);
}

TEST(PersonalDataFields, UnterminatedFieldReadsNoFurtherThanItsWidth) {
  PersonalData data;
  data.Bytes.fill('9');
  EXPECT_EQ(data.FanResistance(), "9999");
  EXPECT_EQ(data.SessionDate(), std::string(11, '9'));
}

TEST(PersonalDataFields, EmptyTextsZeroesOnlyTheFirstByteOfEachField) {
  PersonalData data;
  data.SetText(PersonNameField, "Kayak");
  data.SetText(FanResistanceField, "5");
  data.SetText(WeightTextField, "80");
  data.SetText(SessionDateField, "3-7-2024");
  PersonalData expected = data;
  for (PersonalField field : {PersonNameField, FanResistanceField, WeightTextField, SessionDateField})
    expected.Bytes[field.offset] = 0;

  data.EmptyTexts();

  EXPECT_EQ(data, expected);
  EXPECT_TRUE(data.PersonName().empty());
  EXPECT_TRUE(data.SessionDate().empty());
}

TEST(PersonalDataFields, StampSessionDateChangesOnlyTheDate) {
  PersonalData data;
  data.Bytes.fill('#');
  PersonalData expected = data;
  const std::string date("12-31-2024", 11);  // with its terminator
  std::copy(date.begin(), date.end(), expected.Bytes.begin() + SessionDateField.offset);

  StampSessionDate(data, {2024, 12, 31});

  EXPECT_EQ(data, expected);
}

TEST(PersonalDataWeight, WeightsThatFitAreDecimalTextOthersAreMarked) {
  EXPECT_EQ(WeightFieldText(80), "80");
  EXPECT_EQ(WeightFieldText(0), "0");
  EXPECT_EQ(WeightFieldText(999), "999");
  EXPECT_EQ(WeightFieldText(-99), "-99");
  EXPECT_EQ(WeightFieldText(1000), "???");
  EXPECT_EQ(WeightFieldText(-100), "???");
  EXPECT_EQ(WeightFieldText(-32768), "???");

  PersonalData data;
  data.SetText(SessionDateField, "3-7-2024");
  data.SetText(WeightTextField, WeightFieldText(12345));
  EXPECT_EQ(data.WeightText(), "???");
  EXPECT_EQ(data.SessionDate(), "3-7-2024");
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The paddler's personal data block (name, fan resistance, weight, date) as
// the 54 single-byte bytes a personal-data frame carries, and the operations
// the recorder, the reader and the Personal data dialog share on it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace veltrasko {

inline constexpr std::size_t PersonalDataLength = 54;

// Offsets and widths of the four zero-terminated texts.
struct PersonalField {
  std::size_t offset;
  std::size_t width;
};
inline constexpr PersonalField PersonNameField{0, 35};
inline constexpr PersonalField FanResistanceField{35, 4};
inline constexpr PersonalField WeightTextField{39, 4};
inline constexpr PersonalField SessionDateField{43, 11};

struct CalendarDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

// Today's local date.
CalendarDate Today();

// "20240307": the date format of texts shown to the user and of proposed names.
std::string CompactDateText(CalendarDate date);
// "3-7-2024": the date format stored in personal data.
std::string SessionDateText(CalendarDate date);

struct PersonalData {
  // Bytes after a field's terminator keep whatever the record held before.
  std::array<std::uint8_t, PersonalDataLength> Bytes{};

  // The field's text up to its terminator (or its whole width).
  std::string_view Text(PersonalField field) const;
  // Writes at most width - 1 bytes and the terminator; the rest of the field is kept.
  void SetText(PersonalField field, std::string_view text);

  std::string_view PersonName() const { return Text(PersonNameField); }
  std::string_view FanResistance() const { return Text(FanResistanceField); }
  std::string_view WeightText() const { return Text(WeightTextField); }
  std::string_view SessionDate() const { return Text(SessionDateField); }

  // A zero byte at the start of each of the four texts.
  void EmptyTexts();

  bool operator==(const PersonalData&) const = default;
};

// Which column of personal data was edited since it was last written or read.
struct PersonalDataMarks {
  std::uint8_t OnlinePersonalChanged = 0;
  std::uint8_t FilePersonalChanged = 0;
  std::uint8_t PersonalDialogShown = 0;
};

// Writes the date text into SessionDate.
void StampSessionDate(PersonalData& data, CalendarDate today);

// The weight as decimal text for WeightText; a weight that does not fit the
// field's three characters is stored as "???" rather than overflowing.
std::string WeightFieldText(std::int16_t weight);

}  // namespace veltrasko

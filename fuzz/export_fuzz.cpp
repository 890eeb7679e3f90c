// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a stroke table, personal data and export settings from the input,
// writes the export and checks its shape: the header block, the heading and
// one line per stroke, each line within bounds and with all its columns.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export/export_writer.h"
#include "export/text_line.h"
#include "fuzz/fuzz_temp_file.h"
#include "session/stroke_table.h"

namespace {

using namespace veltrasko;

constexpr std::uint32_t MaxRows = 400;
// Seven header lines, the blank line after them, then the heading.
constexpr std::size_t HeaderLines = 8;
constexpr std::size_t ColumnsPerStroke = 15;

// Hands out the input's bytes; zeros once it is used up.
class InputBytes {
 public:
  explicit InputBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t Byte() { return position_ < bytes_.size() ? bytes_[position_++] : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  float F32() {
    std::array<std::uint8_t, 4> raw{Byte(), Byte(), Byte(), Byte()};
    return ReadF32(raw, 0);
  }
  // Printable text without line breaks: the texts of personal data are single lines.
  std::string Text(std::size_t maxLength) {
    std::string text(Byte() % (maxLength + 1), ' ');
    for (char& c : text) c = static_cast<char>(' ' + Byte() % 95);
    return text;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

void FillRow(StrokeRow& row, InputBytes& in) {
  row.Side = in.Byte();
  if (row.Side == EndMarker) row.Side = 0;
  row.StrokeNumber = in.U16();
  row.StrokeSpan = in.Byte();
  for (float* value : {&row.TotalDistance, &row.Speed, &row.StrokeDistance, &row.Power, &row.Work, &row.StrokeRate,
                       &row.WaterPercent, &row.StrokeTime, &row.WaterDistance, &row.AirTime, &row.TotalWork,
                       &row.PaddleTime, &row.ClockTime, &row.HeartRate})
    *value = in.F32();
}

char SeparatorOf(const UserSettings& settings) {
  if (settings.SeparatorSymbol() == 1) return ',';
  if (settings.SeparatorSymbol() == 2) return '\t';
  return ';';
}

void CheckExport(std::string_view text, std::uint32_t rows, const UserSettings& settings) {
  Require(!text.empty() && text.back() == '\n', "export does not end with a line break");
  const std::size_t lines = static_cast<std::size_t>(std::ranges::count(text, '\n'));
  Require(lines == HeaderLines + 1 + rows, "wrong number of lines");

  // A decimal comma with the comma separator makes columns uncountable.
  const char separator = SeparatorOf(settings);
  const bool countable = !(settings.DecimalSymbol() == 1 && separator == ',');
  std::size_t lineNumber = 0;
  for (std::size_t begin = 0; begin < text.size(); ++lineNumber) {
    const std::size_t end = text.find('\n', begin);
    const std::string_view line = text.substr(begin, end - begin);
    Require(line.size() < TextLine::Capacity, "line longer than a composed line can be");
    if (countable && lineNumber >= HeaderLines)
      Require(static_cast<std::size_t>(std::ranges::count(line, separator)) == ColumnsPerStroke,
              "heading or stroke line lost a column");
    begin = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The table holds 100000 rows: made once and emptied per input.
  static StrokeTable strokes;
  static const FuzzTempFile exportFile("export_fuzz.csv");
  InputBytes in(std::span(data, size));

  UserSettings settings = UserSettings::Defaults();
  settings.SetSpeedUnit(static_cast<SpeedUnitCode>(in.Byte()));
  settings.SetDecimalSymbol(in.Byte());
  settings.SetSeparatorSymbol(in.Byte());
  const auto boxVersion = static_cast<std::int16_t>(in.U16());
  const auto weight = static_cast<std::int16_t>(in.U16());
  PersonalData personal;
  personal.SetText(PersonNameField, in.Text(PersonNameField.width - 1));
  personal.SetText(FanResistanceField, in.Text(FanResistanceField.width - 1));
  personal.SetText(SessionDateField, in.Text(SessionDateField.width - 1));
  const std::string recordPath = "/data/" + in.Text(40) + ".vrc";

  const std::uint32_t rows = in.U16() % (MaxRows + 1);
  strokes.MarkEmpty();
  for (std::uint32_t i = 0; i < rows; ++i) {
    FillRow(strokes.WorkingRow(), in);
    strokes.FinishStroke(true);
  }

  const ExportSource source{strokes, boxVersion, weight, recordPath, personal};
  exportFile.Remove();
  Require(WriteExportFile(exportFile.Path(), source, settings) == ExportResult::Written, "export to /tmp failed");
  CheckExport(exportFile.Read(), rows, settings);
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_writer.h"

#include <fcntl.h>

#include <algorithm>

#include "export/text_line.h"
#include "export/utf8_text.h"
#include "files/buffered_writer.h"
#include "files/file_descriptor.h"

namespace veltrasko {
namespace {

constexpr std::int16_t LastVersionReportedLow = 121;  // these boxes report one hundredth too little
constexpr std::size_t OutputBufferSize = std::size_t{1} << 20;

constexpr std::string_view HeadingKilometresPerHour =
    "Stroke count; Total dist[M]; Speed[KM/H]; Stroke dist[M]; Power[W]; Work[J]; Stroke rate[st/min]; "
    "Water %; Stroke time[sec]; Water dist[M]; Air time[sec]; Total work[J]; Paddle time[sec]; "
    "Clock time[sec]; Heartrate[st/min];\n";
constexpr std::string_view HeadingMetresPerSecond =
    "Stroke count; Total dist[M]; Speed[M/S]; Stroke dist[M]; Power[W]; Work[J]; Stroke rate[st/min]; "
    "Water %; Stroke time[sec]; Water dist[M]; Air time[sec]; Total work[J]; Paddle time[sec]; "
    "Clock time[sec]; Heartrate[st/min];\n";

constexpr std::string_view ColumnEnd = "; ";

// Width and decimals of columns 2 to 15 of a stroke line (column 1, the
// stroke count, is an integer of width 4).
struct FixedColumn {
  int Width;
  int Precision;
};
constexpr std::array<FixedColumn, 14> ValueColumns{
    {{7, 2}, {7, 3}, {7, 2}, {7, 3}, {7, 2}, {7, 1}, {7, 1}, {8, 3}, {8, 3}, {8, 3}, {8, 2}, {8, 3}, {8, 3}, {4, 0}}};

double PrintedBoxVersion(std::int16_t boxVersion) {
  const int hundredths = boxVersion <= LastVersionReportedLow ? boxVersion + 1 : boxVersion;
  return hundredths / 100.0;
}

// The personal data comes in the record files' single-byte texts and the path
// in the file system's bytes; the export is UTF-8 throughout.
void ComposeHeader(TextLine& line, const ExportSource& source) {
  line.Clear();
  line.AppendText("Veltrasko Analyser\nName: ");
  line.AppendText(Utf8FromWindows1252(source.Personal.PersonName()));
  line.AppendText("\nWeight: ");
  line.AppendInteger(source.Weight, 0);
  line.AppendText("\nFan resistance: ");
  line.AppendText(Utf8FromWindows1252(source.Personal.FanResistance()));
  line.AppendText("\nSession date [m-d-yyyy]: ");
  line.AppendText(Utf8FromWindows1252(source.Personal.SessionDate()));
  line.AppendText("\nExported from file: ");
  line.AppendText(ValidUtf8(source.RecordFilePath));
  line.AppendText("\nveltrasko computer version ");
  line.AppendFixed(PrintedBoxVersion(source.BoxVersion), 0, 2);
  line.AppendText("\n\n");
}

// Clock time is exported relative to the first row, on the paddle time scale.
struct ClockBase {
  double FirstClock;
  double FirstPaddle;
};

void ComposeStroke(TextLine& line, const StrokeRow& row, const ClockBase& clock, double speedFactor) {
  const double values[ValueColumns.size()] = {
      row.TotalDistance,
      static_cast<double>(row.Speed) * speedFactor,
      row.StrokeDistance,
      row.Power,
      row.Work,
      row.StrokeRate,
      row.WaterPercent,
      row.StrokeTime,
      row.WaterDistance,
      row.AirTime,
      row.TotalWork,
      row.PaddleTime,
      static_cast<double>(row.ClockTime) - clock.FirstClock + clock.FirstPaddle,
      row.HeartRate,
  };
  line.Clear();
  line.AppendInteger(row.StrokeNumber, 4);
  line.AppendText(ColumnEnd);
  for (std::size_t c = 0; c < ValueColumns.size(); ++c) {
    line.AppendFixed(values[c], ValueColumns[c].Width, ValueColumns[c].Precision);
    line.AppendText(ColumnEnd);
  }
  line.AppendText("\n");
}

bool Write(BufferedWriter& file, const TextLine& line) { return file.Write(line.View()); }

}  // namespace

ExportSource ShownExportSource(const AnalyserCore& core) {
  if (core.OnlineShown()) {
    const OnlineHeaderRecord& header = core.Session().OnlineHeader;
    return {core.OnlineStrokes(), header.BoxVersion, header.Weight, header.RecordFileName.View(),
            core.Session().OnlinePersonalData};
  }
  const FileHeaderRecord& header = core.File().FileHeader;
  return {core.FileStrokes(), header.BoxVersion, header.Weight, header.FileName.View(), core.File().FilePersonalData};
}

void ApplyExportSymbols(char* line, std::size_t length, const UserSettings& settings) {
  char* const end = line + length;
  if (settings.DecimalSymbol() == 1) std::replace(line, end, '.', ',');
  if (settings.SeparatorSymbol() == 1) std::replace(line, end, ';', ',');
  if (settings.SeparatorSymbol() == 2) std::replace(line, end, ';', '\t');
}

ExportResult WriteExportFile(const std::string& path, const ExportSource& source, const UserSettings& settings) {
  FileDescriptor output = FileDescriptor::Open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC).File;
  if (!output.IsOpen()) return ExportResult::NotCreated;
  // One large buffer: each line is copied into it, the disk sees few big writes.
  BufferedWriter file(output, OutputBufferSize);

  TextLine line;
  ComposeHeader(line, source);
  bool written = Write(file, line);

  line.Clear();
  line.AppendText(settings.SpeedInKilometresPerHour() ? HeadingKilometresPerHour : HeadingMetresPerSecond);
  ApplyExportSymbols(line.Data(), line.Size(), settings);
  written = Write(file, line) && written;

  const StrokeTable& strokes = source.Strokes;
  const ClockBase clock{strokes[0].ClockTime, strokes[0].PaddleTime};
  const double speedFactor = settings.SpeedFactor();
  strokes.ForEachRow([&](const StrokeRow& row) {
    ComposeStroke(line, row, clock, speedFactor);
    ApplyExportSymbols(line.Data(), line.Size(), settings);
    written = Write(file, line) && written;
  });

  written = file.Flush() && written;
  return output.Close() && written ? ExportResult::Written : ExportResult::NotWritten;
}

std::string ProposedExportName(std::string_view recordPath) {
  constexpr std::size_t ExtensionLength = 4;
  if (recordPath.size() < ExtensionLength) return {};
  return std::string(recordPath.substr(0, recordPath.size() - ExtensionLength));
}

}  // namespace veltrasko

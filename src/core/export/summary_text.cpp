// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/summary_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "export/session_summary.h"
#include "export/utf8_text.h"

namespace veltrasko {
namespace {

constexpr char Tab = '\t';

class SummaryLines {
 public:
  explicit SummaryLines(char decimalSymbol) : decimal_(decimalSymbol) {}

  // A name and its cells, tab-separated.
  void Row(std::string_view name, std::initializer_list<std::string> cells) {
    text_ += name;
    for (const std::string& cell : cells) {
      text_ += Tab;
      text_ += cell;
    }
    text_ += '\n';
  }
  void Heading(std::string_view heading) {
    text_ += heading;
    text_ += '\n';
  }
  void Blank() { text_ += '\n'; }

  std::string Number(double value, int decimals) const {
    char chars[64];
    const auto [end, error] = std::to_chars(chars, chars + sizeof chars, value, std::chars_format::fixed, decimals);
    std::string number(chars, error == std::errc{} ? end : chars);
    for (char& c : number)
      if (c == '.') c = decimal_;
    return number;
  }
  std::string Number(const std::optional<double>& value, int decimals) const {
    return value ? Number(*value, decimals) : std::string();
  }

  // h:mm:ss.t with hours, else m:ss.t with as many minutes as it takes;
  // rounded to tenths before it is split, so 59.96 s reads 1:00.0.
  std::string Duration(double seconds, bool withHours) const {
    if (!std::isfinite(seconds)) return Number(seconds, 1);
    const long long tenths = std::llround(std::fabs(seconds) * 10);
    const long long wholeSeconds = tenths / 10;
    char chars[64];
    const char* sign = seconds < 0 && tenths > 0 ? "-" : "";
    if (withHours) {
      std::snprintf(chars, sizeof chars, "%s%lld:%02lld:%02lld%c%lld", sign, wholeSeconds / 3600,
                    wholeSeconds / 60 % 60, wholeSeconds % 60, decimal_, tenths % 10);
    } else {
      std::snprintf(chars, sizeof chars, "%s%lld:%02lld%c%lld", sign, wholeSeconds / 60, wholeSeconds % 60, decimal_,
                    tenths % 10);
    }
    return chars;
  }
  std::string Duration(const std::optional<double>& seconds, bool withHours) const {
    return seconds ? Duration(*seconds, withHours) : std::string();
  }

  std::string Take() { return std::move(text_); }

 private:
  char decimal_;
  std::string text_;
};

constexpr bool WithHours = true;
constexpr bool MinutesOnly = false;

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

void WriteSession(SummaryLines& lines, const SessionSummary& s, std::size_t number) {
  lines.Heading("Session " + std::to_string(number));
  lines.Row("Strokes", {std::to_string(s.Strokes)});
  lines.Row("Distance [m]", {lines.Number(s.Distance, 1)});
  lines.Row("Paddle time [h:mm:ss.t]", {lines.Duration(s.PaddleTime, WithHours)});
  lines.Row("Clock time [h:mm:ss.t]", {lines.Duration(s.ClockTime, WithHours)});
  lines.Row("Pauses", {std::to_string(s.Pauses)});
  lines.Row("Pause time [h:mm:ss.t]", {lines.Duration(s.PauseTime, WithHours)});
  lines.Row("Average speed [m/s]", {lines.Number(s.AverageSpeed, 2)});
  lines.Row("Average pace [m:ss.t/500 m]", {lines.Duration(s.AveragePace, MinutesOnly)});
  lines.Row("Average power [W]", {lines.Number(s.AveragePower, 1)});
  lines.Row("Max power [W]", {lines.Number(s.MaxPower, 1)});
  lines.Row("Total work [J]", {lines.Number(s.TotalWork, 0)});
  lines.Row("Average stroke rate [st/min]", {lines.Number(s.AverageStrokeRate, 1)});
  lines.Row("Average stroke distance [m]", {lines.Number(s.AverageStrokeDistance, 2)});
  lines.Row("Average heart rate [bpm]", {lines.Number(s.AverageHeartRate, 0)});
  lines.Row("Max heart rate [bpm]", {lines.Number(s.MaxHeartRate, 0)});
  const std::optional<double> right =
      s.LeftPowerPercent ? std::optional<double>(100.0 - *s.LeftPowerPercent) : std::nullopt;
  lines.Row("Left/right balance [%]", {lines.Number(s.LeftPowerPercent, 1), lines.Number(right, 1)});
  lines.Blank();
  lines.Row("Split", {"Length [m]", "Time [m:ss.t]", "Stroke rate [st/min]", "Power [W]"});
  for (std::size_t i = 0; i < s.Splits.size(); ++i) {
    const SplitSummary& split = s.Splits[i];
    lines.Row(std::to_string(i + 1), {lines.Number(split.Length, 1), lines.Duration(split.Time, MinutesOnly),
                                      lines.Number(split.StrokeRate, 1), lines.Number(split.Power, 1)});
  }
}

}  // namespace

std::string SummaryText(const ExportSource& source, const UserSettings& settings) {
  const std::vector<SessionSummary> sessions = SummariseSessions(source.Strokes);
  if (sessions.empty()) return {};
  SummaryLines lines(settings.DecimalSymbol() == 1 ? ',' : '.');
  if (!source.RecordFilePath.empty()) lines.Row("Record file", {ValidUtf8(source.RecordFilePath)});
  // Personal data comes in the record files' single-byte texts.
  if (!Blank(source.Personal.PersonName())) lines.Row("Name", {Utf8FromWindows1252(source.Personal.PersonName())});
  if (!Blank(source.Personal.SessionDate()))
    lines.Row("Session date [m-d-yyyy]", {Utf8FromWindows1252(source.Personal.SessionDate())});
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    lines.Blank();
    WriteSession(lines, sessions[i], i + 1);
  }
  return lines.Take();
}

}  // namespace veltrasko

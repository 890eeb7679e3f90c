// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/export_options.h"

#include <array>
#include <cstdint>

#include "tools/command_line/getopt_run.h"

namespace veltrasko {

namespace {

constexpr std::string_view Usage =
    "usage: veltrasko-export [--separator semicolon|comma|tab] [--decimal dot|comma]\n"
    "                        [--speed ms|kmh] [--format csv|fit]\n"
    "                        [--start YYYY-MM-DDTHH:MM:SS] [--summary]\n"
    "                        [-o OUT | -d DIR] [--] FILE.vrc|FOLDER...\n"
    "Writes the strokes of record files to text files, as the analyser's\n"
    "\"Export data...\" does for an opened file, or to FIT activity files for\n"
    "the training platforms, as its \"Export FIT...\" does. A FOLDER stands for\n"
    "every *.vrc file in it.\n"
    "\n"
    "  --format F        csv (default) or fit\n"
    "  --start T         local start time of a FIT activity (default: the\n"
    "                    personal data's date at the record file's time of day,\n"
    "                    less the time paddled)\n"
    "  --separator S     column separator (default comma)\n"
    "  --decimal D       decimal symbol (default dot)\n"
    "  --speed U         speed in m/s or km/h (default kmh)\n"
    "  --summary         write the session summary (totals, averages, 500 m\n"
    "                    splits) as tab-separated text to standard output\n"
    "  -o, --output OUT  output file of one record file (default FILE without\n"
    "                    .vrc, plus .csv or .fit); with --summary, of all of them\n"
    "  -d, --directory DIR\n"
    "                    every output into DIR (made if missing) instead of next\n"
    "                    to its record file; summaries as FILE.summary.txt\n"
    "  -h, --help        show this text\n"
    "  --version         show the version\n"
    "Values go after a space or an '=' (--speed=ms); a FILE beginning with '-'\n"
    "goes after --. With several files each is reported on standard error.\n"
    "exit codes: 0 written, 2 bad usage, 3 record file not readable,\n"
    "            4 output not written, 5 no strokes to export;\n"
    "            of several files the worst: 4, then 3, then 5\n";

struct Choice {
  std::string_view Word;
  std::uint8_t Code;
};

using SetSymbol = void (*)(UserSettings&, std::uint8_t);

struct SymbolOption {
  const char* Name;  // without the leading "--"
  SetSymbol Set;
  std::array<Choice, 3> Choices;
};

const std::array<SymbolOption, 3> SymbolOptions{{
    {"separator",
     [](UserSettings& s, std::uint8_t code) { s.SetSeparatorSymbol(code); },
     {{{"semicolon", 0}, {"comma", 1}, {"tab", 2}}}},
    {"decimal", [](UserSettings& s, std::uint8_t code) { s.SetDecimalSymbol(code); }, {{{"dot", 0}, {"comma", 1}, {}}}},
    {"speed",
     [](UserSettings& s, std::uint8_t code) { s.SetSpeedUnit(static_cast<SpeedUnitCode>(code)); },
     {{{"ms", 0}, {"kmh", 1}, {}}}},
}};

bool ApplyChoice(const SymbolOption& option, std::string_view word, UserSettings& settings) {
  for (const Choice& choice : option.Choices) {
    if (!choice.Word.empty() && choice.Word == word) {
      option.Set(settings, choice.Code);
      return true;
    }
  }
  return false;
}

enum OptionCode : int {
  HelpCode = 'h',
  OutputCode = 'o',
  DirectoryCode = 'd',
  VersionCode = 256,
  SummaryCode,
  FormatCode,
  StartCode,
  FirstSymbolCode
};

const option LongOptions[] = {
    {SymbolOptions[0].Name, required_argument, nullptr, FirstSymbolCode},
    {SymbolOptions[1].Name, required_argument, nullptr, FirstSymbolCode + 1},
    {SymbolOptions[2].Name, required_argument, nullptr, FirstSymbolCode + 2},
    {"format", required_argument, nullptr, FormatCode},
    {"start", required_argument, nullptr, StartCode},
    {"output", required_argument, nullptr, OutputCode},
    {"directory", required_argument, nullptr, DirectoryCode},
    {"summary", no_argument, nullptr, SummaryCode},
    {"help", no_argument, nullptr, HelpCode},
    {"version", no_argument, nullptr, VersionCode},
    {nullptr, 0, nullptr, 0},
};

ExportArguments Bad(std::string error) {
  ExportArguments result;
  result.Error = std::move(error);
  return result;
}

// --format and --start: which file is written, and when a FIT activity
// began. What was wrong with the value, or nothing.
std::optional<std::string> ApplyFormatOption(int code, std::string_view value, ExportArguments& result) {
  if (code == StartCode) {
    result.Start = ParseStartTime(value);
    if (!result.Start) return "bad value for --start (YYYY-MM-DDTHH:MM:SS, years 2000 to 2100): " + std::string(value);
  } else if (value == "csv" || value == "fit") {
    result.Format = value == "fit" ? ExportFormat::Fit : ExportFormat::Csv;
  } else {
    return "bad value for --format: " + std::string(value);
  }
  return std::nullopt;
}

}  // namespace

ExportArguments ParseExportArguments(std::span<const std::string_view> arguments) {
  ExportArguments result;
  GetoptRun run(arguments, "ho:d:", LongOptions);
  for (int code = run.Next(); code != -1; code = run.Next()) {
    const std::string_view value = run.Value();
    if (code == HelpCode || code == VersionCode) {
      result.Command = code == HelpCode ? ExportCommand::ShowHelp : ExportCommand::ShowVersion;
      return result;
    }
    if (code == OutputCode) {
      if (value.empty()) return Bad("-o needs a file name");
      result.OutputPath = std::string(value);
    } else if (code == DirectoryCode) {
      if (value.empty()) return Bad("-d needs a folder name");
      result.OutputFolder = std::string(value);
    } else if (code == SummaryCode) {
      result.Summary = true;
    } else if (code == FormatCode || code == StartCode) {
      if (std::optional<std::string> error = ApplyFormatOption(code, value, result)) return Bad(std::move(*error));
    } else if (code >= FirstSymbolCode && code < FirstSymbolCode + static_cast<int>(SymbolOptions.size())) {
      const SymbolOption& symbol = SymbolOptions[static_cast<std::size_t>(code - FirstSymbolCode)];
      if (!ApplyChoice(symbol, value, result.Settings))
        return Bad("bad value for --" + std::string(symbol.Name) + ": " + std::string(value));
    } else {
      return Bad(run.Problem(code));
    }
  }
  if (result.Start && result.Format != ExportFormat::Fit) return Bad("--start goes with --format fit");
  const std::vector<std::string_view> operands = run.Operands();
  if (operands.empty()) return Bad("no record file");
  for (const std::string_view operand : operands) {
    if (operand.empty()) return Bad("an empty record file name");
    result.Inputs.emplace_back(operand);
  }
  if (result.OutputPath && result.OutputFolder) return Bad("-o and -d exclude each other");
  if (result.OutputPath && !result.Summary && result.Inputs.size() > 1)
    return Bad("-o names the output of one record file; use -d for several");
  result.Command = ExportCommand::Export;
  return result;
}

std::string DefaultExportPath(std::string_view recordPath, ExportFormat format) {
  constexpr std::string_view extension = ".vrc";
  if (recordPath.ends_with(extension)) recordPath.remove_suffix(extension.size());
  return std::string(recordPath) + (format == ExportFormat::Fit ? ".fit" : ".csv");
}

std::string_view ExportUsage() { return Usage; }

}  // namespace veltrasko

#include "tools/export/export_options.h"

#include <array>
#include <cstdint>

namespace veltrasko {

namespace {

constexpr std::string_view Usage =
    "usage: veltrasko-export [--separator semicolon|comma|tab] [--decimal dot|comma]\n"
    "                        [--speed ms|kmh] [-o OUT] FILE.vrc\n"
    "Writes the strokes of a record file to a text file, as the analyser's\n"
    "\"Export data...\" does for an opened file.\n"
    "\n"
    "  --separator S   column separator (default comma)\n"
    "  --decimal D     decimal symbol (default dot)\n"
    "  --speed U       speed in m/s or km/h (default kmh)\n"
    "  -o OUT          output file (default FILE without .vrc, plus .csv)\n"
    "  -h, --help      show this text\n"
    "exit codes: 0 written, 2 bad usage, 3 record file not readable,\n"
    "            4 output not written, 5 no strokes to export\n";

struct Choice {
  std::string_view Word;
  std::uint8_t Code;
};

using SetSymbol = void (UserSettings::*)(std::uint8_t);

struct SymbolOption {
  std::string_view Name;
  SetSymbol Set;
  std::array<Choice, 3> Choices;
};

const std::array<SymbolOption, 3> SymbolOptions{{
    {"--separator", &UserSettings::SetSeparatorSymbol, {{{"semicolon", 0}, {"comma", 1}, {"tab", 2}}}},
    {"--decimal", &UserSettings::SetDecimalSymbol, {{{"dot", 0}, {"comma", 1}, {}}}},
    {"--speed", &UserSettings::SetSpeedUnit, {{{"ms", 0}, {"kmh", 1}, {}}}},
}};

bool ApplyChoice(const SymbolOption& option, std::string_view word, UserSettings& settings) {
  for (const Choice& choice : option.Choices) {
    if (!choice.Word.empty() && choice.Word == word) {
      (settings.*option.Set)(choice.Code);
      return true;
    }
  }
  return false;
}

const SymbolOption* FindSymbolOption(std::string_view name) {
  for (const SymbolOption& option : SymbolOptions)
    if (option.Name == name) return &option;
  return nullptr;
}

ExportArguments Bad(std::string error) {
  ExportArguments result;
  result.Error = std::move(error);
  return result;
}

}  // namespace

ExportArguments ParseExportArguments(std::span<const std::string_view> arguments) {
  ExportArguments result;
  std::optional<std::string_view> recordPath;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      result.Command = ExportCommand::ShowHelp;
      return result;
    }
    const SymbolOption* symbol = FindSymbolOption(argument);
    if (symbol != nullptr || argument == "-o") {
      if (i + 1 == arguments.size()) return Bad(std::string(argument) + " needs a value");
      const std::string_view value = arguments[++i];
      if (symbol == nullptr) {
        if (value.empty()) return Bad("-o needs a file name");
        result.OutputPath = std::string(value);
      } else if (!ApplyChoice(*symbol, value, result.Settings)) {
        return Bad("bad value for " + std::string(argument) + ": " + std::string(value));
      }
    } else if (argument.starts_with("-") && argument.size() > 1) {
      return Bad("unknown option " + std::string(argument));
    } else if (recordPath) {
      return Bad("more than one record file");
    } else {
      recordPath = argument;
    }
  }
  if (!recordPath || recordPath->empty()) return Bad("no record file");
  result.RecordPath = std::string(*recordPath);
  result.Command = ExportCommand::Export;
  return result;
}

std::string DefaultExportPath(std::string_view recordPath) {
  constexpr std::string_view extension = ".vrc";
  if (recordPath.ends_with(extension)) recordPath.remove_suffix(extension.size());
  return std::string(recordPath) + ".csv";
}

std::string_view ExportUsage() { return Usage; }

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vrcgen/vrcgen_options.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "tools/command_line/getopt_run.h"

namespace veltrasko {

namespace {

constexpr std::uint64_t MaxStrokesInFile = 10'000'000;

constexpr std::string_view Usage =
    "usage: vrcgen [options] [--] OUT.vrc\n"
    "Writes a synthetic record file: a personal-data frame, a session-start frame\n"
    "and stroke frames of a modelled paddler; the same options give the same bytes.\n"
    "\n"
    "  --strokes N             stroke frames per session (default 300)\n"
    "  --sessions N            sessions in the file, each after a box reset without\n"
    "                          a session-start frame of its own (default 1)\n"
    "  --seed N                seed of the model (default 1)\n"
    "  --weight KG             weight on the box (default 80)\n"
    "  --box-version N         box version times 100 (default 118)\n"
    "  --name TEXT             paddler's name, at most 34 characters (default Kayak)\n"
    "  --fan TEXT              fan resistance, at most 3 characters (default 5)\n"
    "  --date YYYYMMDD         date of the personal data (default 20240307)\n"
    "faults, each on every N-th stroke frame:\n"
    "  --pause-every N         a pause of 2..20 s before the stroke (paddle stands)\n"
    "  --short-stop-every N    the clock runs 4 ms..1 s ahead of the paddle time\n"
    "  --clock-behind-every N  the clock falls 4..40 ms behind the paddle time\n"
    "  --repeat-every N        the previous stroke message once more\n"
    "  --spike-every N         a speed spike of 9..12 m/s\n"
    "  --bad-checksum-every N  a wrong checksum\n"
    "  --garbage-every N       4..40 bytes of garbage after the frame\n"
    "other faults:\n"
    "  --bad-session-start     the session-start frame has a wrong checksum\n"
    "  --truncate-last         the last stroke frame stops halfway\n"
    "  --append-name TEXT      append a personal-data frame with this name\n"
    "  --no-heart-rate         no heart-rate belt: every heart rate is 0\n"
    "  -h, --help              show this text\n"
    "  --version               show the version\n"
    "Values go after a space or an '=' (--strokes=50).\n";

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, Number low, Number high) {
  Number value{};
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc{} || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  const auto year = ParseNumber<int>(text.substr(0, 4), 1, 9999);
  const auto month = ParseNumber<int>(text.substr(4, 2), 1, 12);
  const auto day = ParseNumber<int>(text.substr(6, 2), 1, 31);
  if (!year || !month || !day) return std::nullopt;
  return CalendarDate{*year, *month, *day};
}

// One option that takes a value: how to store it, or false when the value is bad.
struct ValueOption {
  const char* Name;  // without the leading "--"
  std::function<bool(std::string_view, SyntheticRecordOptions&)> Store;
};

template <typename Number>
ValueOption NumberOption(const char* name, Number SyntheticRecordOptions::*field, Number low, Number high) {
  return {name, [=](std::string_view text, SyntheticRecordOptions& options) {
            const auto value = ParseNumber<Number>(text, low, high);
            if (value) options.*field = *value;
            return value.has_value();
          }};
}

ValueOption FaultOption(const char* name, std::uint32_t PaddlingFaults::*field) {
  return {name, [=](std::string_view text, SyntheticRecordOptions& options) {
            const auto value = ParseNumber<std::uint32_t>(text, 0, MaxStrokesInFile);
            if (value) options.Faults.*field = *value;
            return value.has_value();
          }};
}

ValueOption TextOption(const char* name, std::string SyntheticRecordOptions::*field, std::size_t maxLength) {
  return {name, [=](std::string_view text, SyntheticRecordOptions& options) {
            if (text.size() > maxLength) return false;
            options.*field = std::string(text);
            return true;
          }};
}

std::span<const ValueOption> ValueOptions() {
  using O = SyntheticRecordOptions;
  using F = PaddlingFaults;
  constexpr std::int16_t low16 = std::numeric_limits<std::int16_t>::min();
  constexpr std::int16_t high16 = std::numeric_limits<std::int16_t>::max();
  static const ValueOption options[] = {
      NumberOption<std::uint32_t>("strokes", &O::StrokesPerSession, 0, MaxStrokesInFile),
      NumberOption<std::uint32_t>("sessions", &O::Sessions, 1, 1000),
      NumberOption<std::uint64_t>("seed", &O::Seed, 0, std::numeric_limits<std::uint64_t>::max()),
      NumberOption<std::int16_t>("weight", &O::Weight, low16, high16),
      NumberOption<std::int16_t>("box-version", &O::BoxVersion, low16, high16),
      TextOption("name", &O::Name, PersonNameField.width - 1),
      TextOption("fan", &O::FanResistance, FanResistanceField.width - 1),
      ValueOption{"date",
                  [](std::string_view text, O& options) {
                    const auto date = ParseDate(text);
                    if (date) options.Date = *date;
                    return date.has_value();
                  }},
      FaultOption("pause-every", &F::PauseEvery),
      FaultOption("short-stop-every", &F::ShortStopEvery),
      FaultOption("clock-behind-every", &F::ClockBehindEvery),
      FaultOption("repeat-every", &F::RepeatEvery),
      FaultOption("spike-every", &F::SpikeEvery),
      NumberOption<std::uint32_t>("bad-checksum-every", &O::BadChecksumEvery, 0, MaxStrokesInFile),
      NumberOption<std::uint32_t>("garbage-every", &O::GarbageEvery, 0, MaxStrokesInFile),
      ValueOption{"append-name",
                  [](std::string_view text, O& options) {
                    if (text.size() > PersonNameField.width - 1) return false;
                    options.AppendedName = std::string(text);
                    return true;
                  }},
  };
  return options;
}

enum OptionCode : int {
  HelpCode = 'h',
  VersionCode = 256,
  BadSessionStartCode,
  TruncateLastCode,
  NoHeartRateCode,
  FirstValueCode,
};

// The table of getopt_long: the flags, then one entry per value option.
const option* LongOptions() {
  static const std::vector<option> options = [] {
    std::vector<option> table{
        {"help", no_argument, nullptr, HelpCode},
        {"version", no_argument, nullptr, VersionCode},
        {"bad-session-start", no_argument, nullptr, BadSessionStartCode},
        {"truncate-last", no_argument, nullptr, TruncateLastCode},
        {"no-heart-rate", no_argument, nullptr, NoHeartRateCode},
    };
    int code = FirstValueCode;
    for (const ValueOption& value : ValueOptions()) table.push_back({value.Name, required_argument, nullptr, code++});
    table.push_back({nullptr, 0, nullptr, 0});
    return table;
  }();
  return options.data();
}

VrcgenArguments Bad(std::string error) {
  VrcgenArguments result;
  result.Error = std::move(error);
  return result;
}

}  // namespace

VrcgenArguments ParseVrcgenArguments(std::span<const std::string_view> arguments) {
  VrcgenArguments result;
  const std::span<const ValueOption> valueOptions = ValueOptions();
  GetoptRun run(arguments, "h", LongOptions());
  for (int code = run.Next(); code != -1; code = run.Next()) {
    if (code == HelpCode || code == VersionCode) {
      result.Command = code == HelpCode ? VrcgenCommand::ShowHelp : VrcgenCommand::ShowVersion;
      return result;
    }
    if (code == BadSessionStartCode) {
      result.Options.BadSessionStart = true;
    } else if (code == TruncateLastCode) {
      result.Options.TruncateLastFrame = true;
    } else if (code == NoHeartRateCode) {
      result.Options.Faults.NoHeartRate = true;
    } else if (code >= FirstValueCode && code < FirstValueCode + static_cast<int>(valueOptions.size())) {
      const ValueOption& option = valueOptions[static_cast<std::size_t>(code - FirstValueCode)];
      if (!option.Store(run.Value(), result.Options))
        return Bad("bad value for --" + std::string(option.Name) + ": " + std::string(run.Value()));
    } else {
      return Bad(run.Problem(code));
    }
  }
  const std::vector<std::string_view> operands = run.Operands();
  if (operands.size() > 1) return Bad("more than one output file");
  if (operands.empty()) return Bad("no output file");
  const std::string_view output = operands.front();
  if (static_cast<std::uint64_t>(result.Options.StrokesPerSession) * result.Options.Sessions > MaxStrokesInFile)
    return Bad("more than " + std::to_string(MaxStrokesInFile) + " strokes in one file");
  result.Options.OutputPath = std::string(output);
  result.Command = VrcgenCommand::Write;
  return result;
}

std::string_view VrcgenUsage() { return Usage; }

}  // namespace veltrasko

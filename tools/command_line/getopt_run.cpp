// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/command_line/getopt_run.h"

#include "program_identity.h"

namespace veltrasko {

GetoptRun::GetoptRun(std::span<const std::string_view> arguments, const char* shortOptions, const option* longOptions)
    // A leading ':' tells a missing value apart from an unknown option.
    : shortOptions_(std::string(":").append(shortOptions)), longOptions_(longOptions) {
  copies_.emplace_back("program");
  for (const std::string_view argument : arguments) copies_.emplace_back(argument);
  for (std::string& copy : copies_) argv_.push_back(copy.data());
  argv_.push_back(nullptr);
  // 0, not 1: getopt forgets what an earlier scan left behind.
  optind = 0;
  opterr = 0;
}

int GetoptRun::Next() {
  return getopt_long(static_cast<int>(argv_.size() - 1), argv_.data(), shortOptions_.c_str(), longOptions_, nullptr);
}

std::string_view GetoptRun::Value() const { return optarg != nullptr ? optarg : ""; }

std::string GetoptRun::Problem(int result) const {
  // optind has moved past a long option at fault; a short one is named by
  // optopt, as it may sit inside a group of them.
  const std::string argument = optind > 0 ? argv_[static_cast<std::size_t>(optind - 1)] : "";
  if (optopt == 0 || optopt > 255 || argument.starts_with("--")) {
    if (result == ':') return argument + " needs a value";
    if (optopt == 0) return "unknown option " + argument.substr(0, argument.find('='));
    return "bad option " + argument;  // a value for an option that takes none
  }
  const std::string name{'-', static_cast<char>(optopt)};
  return result == ':' ? name + " needs a value" : "unknown option " + name;
}

std::vector<std::string_view> GetoptRun::Operands() const {
  std::vector<std::string_view> operands;
  for (std::size_t i = static_cast<std::size_t>(optind); i + 1 < argv_.size(); ++i) operands.emplace_back(argv_[i]);
  return operands;
}

std::string VersionText(std::string_view program) { return std::string(program) + " " VELTRASKO_VERSION "\n"; }

}  // namespace veltrasko

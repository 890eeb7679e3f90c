// SPDX-License-Identifier: GPL-3.0-or-later
// getopt_long over a tool's arguments: keeps its own writable copies of them,
// starts the scan afresh and turns getopt's failures into plain sentences.
#pragma once

#include <getopt.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrasko {

class GetoptRun {
 public:
  // arguments excludes the program name; longOptions ends with a zero entry.
  GetoptRun(std::span<const std::string_view> arguments, const char* shortOptions, const option* longOptions);

  // The next option as getopt_long returns it, -1 after the last one.
  int Next();
  // The value of the option Next() just returned.
  std::string_view Value() const;
  // What was wrong, after Next() returned '?' or ':'.
  std::string Problem(int result) const;
  // The arguments that are not options, once Next() returned -1.
  std::vector<std::string_view> Operands() const;

 private:
  std::vector<std::string> copies_;
  std::vector<char*> argv_;
  std::string shortOptions_;
  const option* longOptions_;
};

// "name 1.61\n", the answer to --version.
std::string VersionText(std::string_view program);

}  // namespace veltrasko

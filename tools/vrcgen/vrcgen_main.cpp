// SPDX-License-Identifier: GPL-3.0-or-later
// vrcgen: writes a synthetic record file for tests, benchmarks and the demo.
#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/command_line/getopt_run.h"
#include "tools/vrcgen/vrcgen_options.h"

int main(int argc, char** argv) {
  using namespace veltrasko;
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const VrcgenArguments parsed = ParseVrcgenArguments(arguments);
  switch (parsed.Command) {
    case VrcgenCommand::ShowHelp: std::fwrite(VrcgenUsage().data(), 1, VrcgenUsage().size(), stdout); return 0;
    case VrcgenCommand::ShowVersion: std::fputs(VersionText("vrcgen").c_str(), stdout); return 0;
    case VrcgenCommand::BadUsage:
      std::fprintf(stderr, "vrcgen: %s\n", parsed.Error.c_str());
      std::fwrite(VrcgenUsage().data(), 1, VrcgenUsage().size(), stderr);
      return 2;
    case VrcgenCommand::Write: break;
  }
  std::string error;
  if (!WriteSyntheticRecord(parsed.Options, error)) {
    std::fprintf(stderr, "vrcgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vrcgen: options into SyntheticRecordOptions, and the
// usage text shown for a bad one.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "tools/vrcgen/synthetic_record.h"

namespace veltrasko {

enum class VrcgenCommand { Write, ShowHelp, ShowVersion, BadUsage };

struct VrcgenArguments {
  VrcgenCommand Command = VrcgenCommand::BadUsage;
  SyntheticRecordOptions Options;
  std::string Error;  // what was wrong, for BadUsage
};

// arguments excludes the program name.
VrcgenArguments ParseVrcgenArguments(std::span<const std::string_view> arguments);

std::string_view VrcgenUsage();

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated box as a test sets it up and watches it: boxes attached
// through its environment, what the program did to them, and a wait until
// the program has taken every report a box sent.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "support/event_waits.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko::test {

using BoxVariables = std::vector<std::pair<const char*, const char*>>;

// Attaches the boxes these variables describe; all others take their defaults.
void AttachBoxes(const BoxVariables& variables = {});

std::vector<boxsim::BoxEvent> EventsNamed(const std::string& what);
std::vector<std::string> EventNames();

// True once the boxes have sent at least `reports` input reports and the
// program has taken them and anything else the boxes had ready by then: it
// has begun two more reads, and with the reader's blocking hand-over a read
// begins only once the report of the one before has been taken in full.
bool WaitUntilReportsTaken(std::size_t reports, std::chrono::milliseconds limit = DefaultWaitLimit);

}  // namespace veltrasko::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/simulated_boxes.h"

#include <cstdlib>

namespace veltrasko::test {

void AttachBoxes(const BoxVariables& variables) {
  for (const char* name : boxsim::EnvironmentVariables) unsetenv(name);
  for (const auto& [name, value] : variables) setenv(name, value, 1);
  boxsim::Restart();
}

std::vector<boxsim::BoxEvent> EventsNamed(const std::string& what) {
  std::vector<boxsim::BoxEvent> found;
  for (boxsim::BoxEvent& event : boxsim::Events()) {
    if (event.What == what) found.push_back(std::move(event));
  }
  return found;
}

std::vector<std::string> EventNames() {
  std::vector<std::string> names;
  for (const boxsim::BoxEvent& event : boxsim::Events()) names.push_back(event.What);
  return names;
}

bool WaitUntilReportsTaken(std::size_t reports, std::chrono::milliseconds limit) {
  if (!WaitUntil([reports] { return boxsim::ReportsDelivered() >= reports; }, limit)) return false;
  const std::size_t readsSoFar = boxsim::ReadsStarted();
  return WaitUntil([readsSoFar] { return boxsim::ReadsStarted() >= readsSoFar + 2; }, limit);
}

}  // namespace veltrasko::test

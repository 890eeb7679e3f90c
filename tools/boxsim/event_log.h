// SPDX-License-Identifier: GPL-3.0-or-later
// The record of what the program did to the simulated boxes: kept for tests
// and, when the environment names a file, appended to it one line per event
// for a person watching a real run.
#pragma once

#include <string>
#include <vector>

#include "boxsim_control.h"

namespace veltrasko::boxsim {

class EventLog {
 public:
  void Reset(std::string filePath);
  void Add(BoxEvent event);
  const std::vector<BoxEvent>& Events() const { return events_; }

 private:
  std::vector<BoxEvent> events_;
  std::string filePath_;
};

}  // namespace veltrasko::boxsim

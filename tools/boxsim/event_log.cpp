// SPDX-License-Identifier: GPL-3.0-or-later
#include "event_log.h"

#include <cstdio>
#include <fstream>

namespace veltrasko::boxsim {

void EventLog::Reset(std::string filePath) {
  events_.clear();
  filePath_ = std::move(filePath);
}

void EventLog::Add(BoxEvent event) {
  if (!filePath_.empty()) {
    std::ofstream file(filePath_, std::ios::app);
    file << event.What << ' ' << event.SerialNumber;
    for (std::uint8_t byte : event.Bytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", byte);
      file << hex;
    }
    file << '\n';
  }
  events_.push_back(std::move(event));
}

}  // namespace veltrasko::boxsim

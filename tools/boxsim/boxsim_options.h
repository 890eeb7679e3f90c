// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated box is told by its own environment variables: which
// boxes are attached, what the box reports about itself, how fast it paddles
// and which faults it shows. The program under test never reads these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veltrasko::boxsim {

// How stream bytes are laid into input reports.
enum class ReportPacking {
  OneFrame,  // one frame per report, zero fill behind it
  Burst,     // as many whole frames as fit, zero fill behind them
  Split,     // a continuous stream in full reports, so frames straddle reports
};

struct BoxListing {
  std::string SerialNumber;
  std::string Product = "Veltrasko Computer Box";
  std::string Manufacturer = "Corvane Sport";
};

struct BoxsimOptions {
  std::vector<BoxListing> Boxes{BoxListing{"1001"}};
  std::int16_t BoxVersion = 118;
  std::int16_t Weight = 80;
  double Pace = 1.0;  // box seconds per real second
  std::uint64_t Seed = 1;
  std::size_t ReportLength = 64;  // input report data bytes
  ReportPacking Packing = ReportPacking::OneFrame;
  bool NeverConfirm = false;
  bool PaddlingAtConnect = false;   // strokes follow the confirmation without a session start
  unsigned BadChecksumEvery = 0;    // every n-th stroke damaged; 0: none
  unsigned GarbageEvery = 0;        // garbage before every n-th frame; 0: none
  unsigned GarbageReports = 0;      // after each reset, reports of random bytes whenever no frame waits
  unsigned UnplugAfterReports = 0;  // gone after n delivered reports, once; 0: never
  double UnplugForSeconds = 0.0;    // back this long after each unplug; 0: stays away
  unsigned StrokeLimit = 0;         // strokes per session; 0: no end
  unsigned PauseEvery = 60;         // a pause of seconds every n-th stroke; 0: none
  std::string LogPath;              // event log file; empty: none
};

inline constexpr std::size_t MaxReportLength = 200;

// Reads the options through the given lookup (std::getenv in the library);
// malformed values keep their defaults.
BoxsimOptions ReadOptions(const std::function<const char*(const char*)>& lookup);

}  // namespace veltrasko::boxsim

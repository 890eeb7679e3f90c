// SPDX-License-Identifier: GPL-3.0-or-later
// What a test may ask of the simulated box beyond the HID functions: start
// over with the current environment, see what the program did to the boxes,
// and pull a box's plug and plug it in again.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrasko::boxsim {

// One thing the program did to a box: "open", "open-failed", "nonblocking",
// "write" (Bytes: the whole output report), "close"; or that the box went
// away, "unplugged", and came back, "plugged-in".
struct BoxEvent {
  std::string What;
  std::string SerialNumber;
  std::vector<std::uint8_t> Bytes;
};

// Every environment variable the simulated box reads, so that a test can
// start from the defaults.
inline constexpr const char* EnvironmentVariables[] = {"BOXSIM_BOXES",
                                                       "BOXSIM_VERSION",
                                                       "BOXSIM_WEIGHT",
                                                       "BOXSIM_PACE",
                                                       "BOXSIM_SEED",
                                                       "BOXSIM_REPORT_LENGTH",
                                                       "BOXSIM_PACKING",
                                                       "BOXSIM_NEVER_CONFIRM",
                                                       "BOXSIM_PADDLING_AT_CONNECT",
                                                       "BOXSIM_BAD_CHECKSUM_EVERY",
                                                       "BOXSIM_GARBAGE_EVERY",
                                                       "BOXSIM_GARBAGE_REPORTS",
                                                       "BOXSIM_UNPLUG_AFTER",
                                                       "BOXSIM_UNPLUG_FOR",
                                                       "BOXSIM_STROKES",
                                                       "BOXSIM_PAUSE_EVERY",
                                                       "BOXSIM_LOG"};

// Forgets every box and event and reads the environment again. Devices still
// open stay valid but behave as unplugged.
void Restart();

std::vector<BoxEvent> Events();

// Threads that called hid_read within the last `within`.
std::size_t ReadingThreadCount(std::chrono::milliseconds within);

// Input reports the boxes have handed to hid_read, and calls of hid_read
// begun, since the last Restart: a read begun after a report was delivered
// tells that the program has taken that report.
std::size_t ReportsDelivered();
std::size_t ReadsStarted();

// The box with this serial-number text is gone: reads and writes fail and it
// is no longer listed. With BOXSIM_UNPLUG_FOR it comes back after that time.
void Unplug(std::string_view serialNumber);

// The unplugged box is attached again, listed and opened anew, its session
// going on where it was; devices opened before stay gone.
void PlugIn(std::string_view serialNumber);

}  // namespace veltrasko::boxsim

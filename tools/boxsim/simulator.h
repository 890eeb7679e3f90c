// SPDX-License-Identifier: GPL-3.0-or-later
// The attached boxes behind the HID functions: one instance per process,
// since the HID library's C interface has no object to hang them on. Every
// call takes the one lock, so hid_read on a reader thread and hid_write on the
// main thread may overlap as they do on real hardware.
#pragma once

#include <hidapi/hidapi.h>

#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "boxsim_control.h"
#include "boxsim_options.h"
#include "event_log.h"
#include "simulated_box.h"

namespace veltrasko::boxsim {

class Simulator {
 public:
  static Simulator& Instance();

  void Restart();
  hid_device_info* Enumerate(unsigned short vendorId, unsigned short productId);
  hid_device* Open(unsigned short vendorId, unsigned short productId, const wchar_t* serialNumber);
  void Close(hid_device* device);
  int SetNonBlocking(hid_device* device, int nonBlocking);
  // Waits for a report unless the device is non-blocking.
  int Read(hid_device* device, unsigned char* data, std::size_t length);
  // timeoutMs: -1 waits for a report, 0 returns at once.
  int ReadTimeout(hid_device* device, unsigned char* data, std::size_t length, int timeoutMs);
  int Write(hid_device* device, const unsigned char* data, std::size_t length);

  std::vector<BoxEvent> Events();
  std::size_t ReadingThreadCount(std::chrono::milliseconds within);
  std::size_t ReportsDelivered();
  std::size_t ReadsStarted();
  void Unplug(std::string_view serialNumber);
  void PlugIn(std::string_view serialNumber);

 private:
  Simulator();
  void Populate();
  // Boxes come back when their time away is over; the program finds them
  // when it enumerates or opens.
  void PlugInReturningBoxes(Clock::time_point now);
  void PlugIn(SimulatedBox& box);
  int ReadOnce(hid_device* device, unsigned char* data, std::size_t length);

  std::mutex mutex_;
  BoxsimOptions options_;
  std::vector<std::unique_ptr<SimulatedBox>> boxes_;
  // Boxes of earlier runs that a device may still point at.
  std::vector<std::unique_ptr<SimulatedBox>> retired_;
  EventLog log_;
  std::map<std::thread::id, Clock::time_point> lastReadBy_;
  std::size_t reportsDelivered_ = 0;
  std::size_t readsStarted_ = 0;
};

}  // namespace veltrasko::boxsim

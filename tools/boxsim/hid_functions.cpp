// SPDX-License-Identifier: GPL-3.0-or-later
// The HID library's C functions as the program calls them, answered by the
// simulated boxes instead of the kernel.
#include <hidapi/hidapi.h>

#include "boxsim_control.h"
#include "simulator.h"

using veltrasko::boxsim::Simulator;

namespace {

constexpr wchar_t SimulatorError[] = L"simulated box: the device is gone";

void FreeDeviceInfo(hid_device_info* info) {
  delete[] info->path;
  delete[] info->serial_number;
  delete[] info->manufacturer_string;
  delete[] info->product_string;
  delete info;
}

}  // namespace

int hid_init(void) {
  Simulator::Instance();
  return 0;
}

int hid_exit(void) { return 0; }

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  return Simulator::Instance().Enumerate(vendor_id, product_id);
}

void hid_free_enumeration(hid_device_info* devs) {
  while (devs != nullptr) {
    hid_device_info* next = devs->next;
    FreeDeviceInfo(devs);
    devs = next;
  }
}

hid_device* hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t* serial_number) {
  return Simulator::Instance().Open(vendor_id, product_id, serial_number);
}

int hid_set_nonblocking(hid_device* dev, int nonblock) { return Simulator::Instance().SetNonBlocking(dev, nonblock); }

int hid_read(hid_device* dev, unsigned char* data, size_t length) {
  return Simulator::Instance().Read(dev, data, length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
  return Simulator::Instance().ReadTimeout(dev, data, length, milliseconds);
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  return Simulator::Instance().Write(dev, data, length);
}

void hid_close(hid_device* dev) { Simulator::Instance().Close(dev); }

const wchar_t* hid_error(hid_device*) { return SimulatorError; }

namespace veltrasko::boxsim {

void Restart() { Simulator::Instance().Restart(); }
std::vector<BoxEvent> Events() { return Simulator::Instance().Events(); }
std::size_t ReadingThreadCount(std::chrono::milliseconds within) {
  return Simulator::Instance().ReadingThreadCount(within);
}
std::size_t ReportsDelivered() { return Simulator::Instance().ReportsDelivered(); }
std::size_t ReadsStarted() { return Simulator::Instance().ReadsStarted(); }
void Unplug(std::string_view serialNumber) { Simulator::Instance().Unplug(serialNumber); }
void PlugIn(std::string_view serialNumber) { Simulator::Instance().PlugIn(serialNumber); }

}  // namespace veltrasko::boxsim

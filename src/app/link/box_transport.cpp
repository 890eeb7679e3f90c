// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/box_transport.h"

#include <hidapi/hidapi.h>

#include "protocol/box_identification.h"

namespace veltrasko {

bool BoxTransport::OpenBoxDevice(const wchar_t* serialNumber) {
  hid_device* device = hid_open(BoxVendorId, BoxProductId, serialNumber);
  if (device == nullptr) return false;
  hid_set_nonblocking(device, 1);
  boxDevice_.store(device);
  return true;
}

void BoxTransport::CloseBoxDevice() {
  if (hid_device* device = boxDevice_.exchange(nullptr)) hid_close(device);
}

int BoxTransport::ReadInputReport(std::span<std::uint8_t> buffer) {
  hid_device* device = boxDevice_.load();
  if (device == nullptr) return 0;
  return hid_read(device, buffer.data(), buffer.size());
}

void BoxTransport::WriteReport(std::span<const std::uint8_t> report) {
  if (hid_device* device = boxDevice_.load()) hid_write(device, report.data(), report.size());
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <span>

// The handle hidapi leaves opaque: here, the box it reaches.
struct hid_device_ {
  veltrasko::boxsim::SimulatedBox* box;
  unsigned attachment;  // a device opened before an unplug stays gone
  bool nonBlocking = false;

  bool Gone() const { return attachment != box->Attachment(); }
};

namespace veltrasko::boxsim {
namespace {

constexpr unsigned short BoxVendorId = 0x16C0;
constexpr unsigned short BoxProductId = 0x1503;
constexpr unsigned short BoxRelease = 0x0100;

wchar_t* NewWide(const std::string& text) {
  auto* wide = new wchar_t[text.size() + 1];
  std::transform(text.begin(), text.end(), wide,
                 [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
  wide[text.size()] = L'\0';
  return wide;
}

char* NewNarrow(const std::string& text) {
  auto* narrow = new char[text.size() + 1];
  std::copy(text.begin(), text.end(), narrow);
  narrow[text.size()] = '\0';
  return narrow;
}

bool SameText(const std::string& text, const wchar_t* wide) {
  const std::size_t length = std::wcslen(wide);
  return length == text.size() && std::equal(text.begin(), text.end(), wide, [](char c, wchar_t w) {
           return static_cast<wchar_t>(static_cast<unsigned char>(c)) == w;
         });
}

hid_device_info* NewDeviceInfo(const BoxListing& listing) {
  auto* info = new hid_device_info{};
  info->path = NewNarrow("boxsim:" + listing.SerialNumber);
  info->vendor_id = BoxVendorId;
  info->product_id = BoxProductId;
  info->serial_number = NewWide(listing.SerialNumber);
  info->release_number = BoxRelease;
  info->manufacturer_string = NewWide(listing.Manufacturer);
  info->product_string = NewWide(listing.Product);
  info->usage_page = 0xFF00;
  info->usage = 1;
  info->interface_number = 0;
  info->bus_type = HID_API_BUS_USB;
  return info;
}

}  // namespace

Simulator& Simulator::Instance() {
  static Simulator simulator;
  return simulator;
}

Simulator::Simulator() { Populate(); }

void Simulator::Populate() {
  options_ = ReadOptions([](const char* name) { return std::getenv(name); });
  for (auto& box : boxes_) {
    box->Unplug(Clock::now());
    retired_.push_back(std::move(box));
  }
  boxes_.clear();
  for (const BoxListing& listing : options_.Boxes) boxes_.push_back(std::make_unique<SimulatedBox>(listing, options_));
  log_.Reset(options_.LogPath);
  lastReadBy_.clear();
  reportsDelivered_ = 0;
  readsStarted_ = 0;
}

void Simulator::Restart() {
  const std::lock_guard lock(mutex_);
  Populate();
}

hid_device_info* Simulator::Enumerate(unsigned short vendorId, unsigned short productId) {
  const std::lock_guard lock(mutex_);
  PlugInReturningBoxes(Clock::now());
  if ((vendorId != 0 && vendorId != BoxVendorId) || (productId != 0 && productId != BoxProductId)) return nullptr;
  hid_device_info* first = nullptr;
  hid_device_info** next = &first;
  for (const auto& box : boxes_) {
    if (box->Unplugged()) continue;
    *next = NewDeviceInfo(box->Listing());
    next = &(*next)->next;
  }
  return first;
}

hid_device* Simulator::Open(unsigned short vendorId, unsigned short productId, const wchar_t* serialNumber) {
  const std::lock_guard lock(mutex_);
  PlugInReturningBoxes(Clock::now());
  if (vendorId == BoxVendorId && productId == BoxProductId) {
    for (const auto& box : boxes_) {
      if (box->Unplugged()) continue;
      if (serialNumber != nullptr && !SameText(box->Listing().SerialNumber, serialNumber)) continue;
      log_.Add({"open", box->Listing().SerialNumber, {}});
      return new hid_device{box.get(), box->Attachment()};
    }
  }
  std::string asked;
  for (const wchar_t* c = serialNumber; c != nullptr && *c != L'\0'; ++c) asked += static_cast<char>(*c);
  log_.Add({"open-failed", asked, {}});
  return nullptr;
}

void Simulator::Close(hid_device* device) {
  if (device == nullptr) return;
  {
    const std::lock_guard lock(mutex_);
    // Closing what is left of a device the box knows nothing of.
    if (!device->Gone()) device->box->Close();
    log_.Add({"close", device->box->Listing().SerialNumber, {}});
  }
  delete device;
}

int Simulator::SetNonBlocking(hid_device* device, int nonBlocking) {
  const std::lock_guard lock(mutex_);
  device->nonBlocking = nonBlocking != 0;
  log_.Add({"nonblocking", device->box->Listing().SerialNumber, {static_cast<std::uint8_t>(nonBlocking)}});
  return 0;
}

int Simulator::ReadOnce(hid_device* device, unsigned char* data, std::size_t length) {
  const std::lock_guard lock(mutex_);
  const Clock::time_point now = Clock::now();
  lastReadBy_[std::this_thread::get_id()] = now;
  SimulatedBox& box = *device->box;
  if (device->Gone()) return -1;
  const bool wasPlugged = !box.Unplugged();
  const int result = box.ReadReport(std::span<std::uint8_t>(data, length), now);
  if (wasPlugged && box.Unplugged()) log_.Add({"unplugged", box.Listing().SerialNumber, {}});
  if (result > 0) ++reportsDelivered_;
  return result;
}

int Simulator::Read(hid_device* device, unsigned char* data, std::size_t length) {
  return ReadTimeout(device, data, length, device->nonBlocking ? 0 : -1);
}

int Simulator::ReadTimeout(hid_device* device, unsigned char* data, std::size_t length, int timeoutMs) {
  {
    const std::lock_guard lock(mutex_);
    ++readsStarted_;
  }
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    const int result = ReadOnce(device, data, length);
    if (result != 0 || timeoutMs == 0 || (timeoutMs > 0 && Clock::now() >= deadline)) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

int Simulator::Write(hid_device* device, const unsigned char* data, std::size_t length) {
  const std::lock_guard lock(mutex_);
  SimulatedBox& box = *device->box;
  const std::span<const std::uint8_t> report(data, length);
  log_.Add({"write", box.Listing().SerialNumber, {report.begin(), report.end()}});
  if (device->Gone()) return -1;
  return box.WriteReport(report, Clock::now());
}

std::vector<BoxEvent> Simulator::Events() {
  const std::lock_guard lock(mutex_);
  return log_.Events();
}

std::size_t Simulator::ReadingThreadCount(std::chrono::milliseconds within) {
  const std::lock_guard lock(mutex_);
  const Clock::time_point since = Clock::now() - within;
  return static_cast<std::size_t>(std::count_if(lastReadBy_.begin(), lastReadBy_.end(),
                                                [since](const auto& entry) { return entry.second >= since; }));
}

std::size_t Simulator::ReportsDelivered() {
  const std::lock_guard lock(mutex_);
  return reportsDelivered_;
}

std::size_t Simulator::ReadsStarted() {
  const std::lock_guard lock(mutex_);
  return readsStarted_;
}

void Simulator::Unplug(std::string_view serialNumber) {
  const std::lock_guard lock(mutex_);
  for (const auto& box : boxes_) {
    if (box->Listing().SerialNumber != serialNumber || box->Unplugged()) continue;
    box->Unplug(Clock::now());
    log_.Add({"unplugged", box->Listing().SerialNumber, {}});
  }
}

void Simulator::PlugIn(std::string_view serialNumber) {
  const std::lock_guard lock(mutex_);
  for (const auto& box : boxes_) {
    if (box->Listing().SerialNumber == serialNumber && box->Unplugged()) PlugIn(*box);
  }
}

void Simulator::PlugInReturningBoxes(Clock::time_point now) {
  for (const auto& box : boxes_) {
    if (box->ReturnDue(now)) PlugIn(*box);
  }
}

void Simulator::PlugIn(SimulatedBox& box) {
  box.PlugIn();
  log_.Add({"plugged-in", box.Listing().SerialNumber, {}});
}

}  // namespace veltrasko::boxsim

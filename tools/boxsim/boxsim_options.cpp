// SPDX-License-Identifier: GPL-3.0-or-later
#include "boxsim_options.h"

#include <charconv>
#include <string_view>

namespace veltrasko::boxsim {
namespace {

template <typename Number>
void ReadNumber(const char* text, Number& target) {
  if (text == nullptr) return;
  const std::string_view view(text);
  Number value{};
  const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
  if (error == std::errc() && end == view.data() + view.size()) target = value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t begin = 0;;) {
    const std::size_t end = text.find(separator, begin);
    parts.push_back(text.substr(begin, end == std::string_view::npos ? end : end - begin));
    if (end == std::string_view::npos) return parts;
    begin = end + 1;
  }
}

// "serial[/product[/manufacturer]]" entries separated by commas.
std::vector<BoxListing> ReadBoxes(std::string_view text) {
  std::vector<BoxListing> boxes;
  if (text.empty()) return boxes;
  for (std::string_view entry : SplitAt(text, ',')) {
    const std::vector<std::string_view> fields = SplitAt(entry, '/');
    BoxListing box{std::string(fields[0])};
    if (fields.size() > 1) box.Product = fields[1];
    if (fields.size() > 2) box.Manufacturer = fields[2];
    boxes.push_back(std::move(box));
  }
  return boxes;
}

ReportPacking ReadPacking(std::string_view text, ReportPacking fallback) {
  if (text == "frame") return ReportPacking::OneFrame;
  if (text == "burst") return ReportPacking::Burst;
  if (text == "split") return ReportPacking::Split;
  return fallback;
}

}  // namespace

BoxsimOptions ReadOptions(const std::function<const char*(const char*)>& lookup) {
  BoxsimOptions options;
  if (const char* boxes = lookup("BOXSIM_BOXES")) options.Boxes = ReadBoxes(boxes);
  ReadNumber(lookup("BOXSIM_VERSION"), options.BoxVersion);
  ReadNumber(lookup("BOXSIM_WEIGHT"), options.Weight);
  ReadNumber(lookup("BOXSIM_PACE"), options.Pace);
  if (options.Pace <= 0.0) options.Pace = 1.0;
  ReadNumber(lookup("BOXSIM_SEED"), options.Seed);
  ReadNumber(lookup("BOXSIM_REPORT_LENGTH"), options.ReportLength);
  if (options.ReportLength < 1 || options.ReportLength > MaxReportLength) options.ReportLength = 64;
  if (const char* packing = lookup("BOXSIM_PACKING")) options.Packing = ReadPacking(packing, options.Packing);
  if (const char* never = lookup("BOXSIM_NEVER_CONFIRM")) options.NeverConfirm = std::string_view(never) == "1";
  ReadNumber(lookup("BOXSIM_BAD_CHECKSUM_EVERY"), options.BadChecksumEvery);
  if (const char* paddling = lookup("BOXSIM_PADDLING_AT_CONNECT")) {
    options.PaddlingAtConnect = std::string_view(paddling) == "1";
  }
  ReadNumber(lookup("BOXSIM_GARBAGE_EVERY"), options.GarbageEvery);
  ReadNumber(lookup("BOXSIM_GARBAGE_REPORTS"), options.GarbageReports);
  ReadNumber(lookup("BOXSIM_UNPLUG_AFTER"), options.UnplugAfterReports);
  ReadNumber(lookup("BOXSIM_UNPLUG_FOR"), options.UnplugForSeconds);
  if (options.UnplugForSeconds < 0.0) options.UnplugForSeconds = 0.0;
  ReadNumber(lookup("BOXSIM_STROKES"), options.StrokeLimit);
  ReadNumber(lookup("BOXSIM_PAUSE_EVERY"), options.PauseEvery);
  if (const char* log = lookup("BOXSIM_LOG")) options.LogPath = log;
  return options;
}

}  // namespace veltrasko::boxsim

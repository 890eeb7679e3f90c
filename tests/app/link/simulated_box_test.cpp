// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated box as the program meets it: through the HID functions.
#include "tools/boxsim/simulated_box.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <array>
#include <cwchar>
#include <string>

#include "protocol/box_commands.h"
#include "support/event_waits.h"
#include "support/link_fakes.h"
#include "support/record_frames.h"
#include "support/simulated_boxes.h"

namespace veltrasko {
namespace {

using namespace test;

std::vector<std::wstring> ListedSerialNumbers() {
  std::vector<std::wstring> serials;
  hid_device_info* devices = hid_enumerate(0, 0);
  for (const hid_device_info* device = devices; device != nullptr; device = device->next) {
    serials.emplace_back(device->serial_number);
  }
  hid_free_enumeration(devices);
  return serials;
}

void SendCommand(hid_device* device, std::uint8_t kind) {
  std::array<std::uint8_t, BoxOutputReportLength> report{};
  std::copy(StatusTag.begin(), StatusTag.end(), report.begin() + 1);
  const BoxCommand command = MakeBoxCommand(kind);
  std::copy(command.Bytes.begin(), command.Bytes.end(), report.begin() + 5);
  ASSERT_EQ(hid_write(device, report.data(), report.size()), static_cast<int>(report.size()));
}

// Box 1001 opened as the program opens it: reads return at once.
hid_device* OpenBox() {
  hid_device* device = hid_open(0x16C0, 0x1503, L"1001");
  if (device != nullptr) hid_set_nonblocking(device, 1);
  return device;
}

// Reads reports into the consumer until it holds the wanted strokes or time is up.
void ReadStrokes(hid_device* device, ScanningConsumer& consumer, std::size_t strokes) {
  std::array<std::uint8_t, 200> buffer{};
  WaitUntil([&] {
    const int count = hid_read(device, buffer.data(), buffer.size());
    if (count > 0) {
      StreamBuffer chunk;
      FillStreamBuffer(chunk, std::span(buffer.data(), static_cast<std::size_t>(count)));
      consumer.OnBytesReceived(chunk);
    }
    return consumer.StrokeNumbers.size() + static_cast<std::size_t>(consumer.Count(ScanBadStroke)) >= strokes;
  });
}

TEST(SimulatedBox, ListsTheConfiguredBoxesWithTheirStrings) {
  AttachBoxes({{"BOXSIM_BOXES", "1001,0042/Veltrask Box/Corvane"}});
  hid_device_info* devices = hid_enumerate(0, 0);
  ASSERT_NE(devices, nullptr);
  EXPECT_EQ(devices->vendor_id, 0x16C0);
  EXPECT_EQ(devices->product_id, 0x1503);
  EXPECT_EQ(std::wstring(devices->serial_number), L"1001");
  EXPECT_EQ(std::wstring(devices->product_string).substr(0, 9), L"Veltrasko");
  EXPECT_EQ(std::wstring(devices->manufacturer_string).substr(0, 7), L"Corvane");
  ASSERT_NE(devices->next, nullptr);
  EXPECT_EQ(std::wstring(devices->next->product_string), L"Veltrask Box");
  EXPECT_EQ(devices->next->next, nullptr);
  hid_free_enumeration(devices);
  EXPECT_EQ(hid_enumerate(0x1234, 0), nullptr);
}

TEST(SimulatedBox, OpensOnlyByTheExactSerialText) {
  AttachBoxes({{"BOXSIM_BOXES", "0042"}});
  EXPECT_EQ(hid_open(0x16C0, 0x1503, L"42"), nullptr);
  hid_device* device = hid_open(0x16C0, 0x1503, L"0042");
  ASSERT_NE(device, nullptr);
  hid_close(device);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"open-failed", "open", "close"}));
}

TEST(SimulatedBox, ConfirmsAConnectionAndPaddlesAfterAReset) {
  AttachBoxes({{"BOXSIM_PACE", "50"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_VERSION", "117"}, {"BOXSIM_WEIGHT", "72"}});
  hid_device* device = OpenBox();
  ASSERT_NE(device, nullptr);
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 0);
  ScanningConsumer consumer;
  StreamBuffer chunk;

  SendCommand(device, KindConnect);
  ASSERT_EQ(hid_read(device, buffer.data(), buffer.size()), 64);
  EXPECT_TRUE(std::equal(StatusTag.begin(), StatusTag.end(), buffer.begin()));
  EXPECT_EQ(buffer[4 + 21], 1);
  EXPECT_EQ(buffer[4 + 22], KindConnectionStatus);
  EXPECT_TRUE(std::all_of(buffer.begin() + 29, buffer.begin() + 64, [](std::uint8_t b) { return b == 0; }));
  FillStreamBuffer(chunk, std::span(buffer).first(64));
  consumer.OnBytesReceived(chunk);

  SendCommand(device, KindReset);
  ASSERT_EQ(hid_read(device, buffer.data(), buffer.size()), 64);
  EXPECT_TRUE(std::equal(SessionStartTag.begin(), SessionStartTag.end(), buffer.begin()));
  SessionStartMessage start;
  EXPECT_EQ(DecodeSessionStart(std::span(buffer).subspan(4), start), 0);
  EXPECT_EQ(start.BoxVersion(), 117);
  EXPECT_EQ(start.Weight(), 72);
  FillStreamBuffer(chunk, std::span(buffer).first(64));
  consumer.OnBytesReceived(chunk);

  ReadStrokes(device, consumer, 5);
  EXPECT_GE(consumer.StrokeNumbers.size(), 5u);
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));
  hid_close(device);
}

TEST(SimulatedBox, NeverConfirmingBoxStaysSilent) {
  AttachBoxes({{"BOXSIM_NEVER_CONFIRM", "1"}});
  hid_device* device = OpenBox();
  SendCommand(device, KindConnect);
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 0);
  hid_close(device);
}

struct StreamFault {
  std::vector<std::pair<const char*, const char*>> Variables;
  int BadStrokesIn12;
  std::size_t ReportLength = 64;
};

class SimulatedBoxStream : public ::testing::TestWithParam<StreamFault> {};

// Whatever the fault, a scanner that is fed every report finds every stroke,
// in order, and exactly the damaged ones are refused.
TEST_P(SimulatedBoxStream, ScannerRecoversEveryStroke) {
  std::vector<std::pair<const char*, const char*>> variables{
      {"BOXSIM_PACE", "100"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_STROKES", "12"}};
  variables.insert(variables.end(), GetParam().Variables.begin(), GetParam().Variables.end());
  AttachBoxes(variables);

  hid_device* device = OpenBox();
  ASSERT_NE(device, nullptr);
  SendCommand(device, KindConnect);
  SendCommand(device, KindReset);
  ScanningConsumer consumer;
  ReadStrokes(device, consumer, 12);
  hid_close(device);

  EXPECT_EQ(consumer.Count(ScanStatus), 1);
  EXPECT_EQ(consumer.Count(ScanSessionStart), 1);
  EXPECT_EQ(consumer.Count(ScanBadStroke), GetParam().BadStrokesIn12);
  EXPECT_EQ(consumer.StrokeNumbers.size(), 12u - static_cast<std::size_t>(GetParam().BadStrokesIn12));
  EXPECT_TRUE(std::is_sorted(consumer.StrokeNumbers.begin(), consumer.StrokeNumbers.end()));
  for (std::int16_t length : consumer.ChunkLengths)
    EXPECT_EQ(static_cast<std::size_t>(length), GetParam().ReportLength);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SimulatedBoxStream,
    ::testing::Values(
        StreamFault{{}, 0}, StreamFault{{{"BOXSIM_PACKING", "split"}}, 0},
        StreamFault{{{"BOXSIM_REPORT_LENGTH", "200"}, {"BOXSIM_PACKING", "burst"}}, 0, 200},
        StreamFault{{{"BOXSIM_GARBAGE_EVERY", "2"}}, 0}, StreamFault{{{"BOXSIM_GARBAGE_REPORTS", "400"}}, 0},
        StreamFault{{{"BOXSIM_BAD_CHECKSUM_EVERY", "4"}}, 3},
        StreamFault{{{"BOXSIM_PACKING", "split"}, {"BOXSIM_GARBAGE_EVERY", "3"}, {"BOXSIM_BAD_CHECKSUM_EVERY", "5"}},
                    2}));

TEST(SimulatedBox, FloodsItsGarbageReportsAfterAResetAndThenFallsQuiet) {
  AttachBoxes({{"BOXSIM_GARBAGE_REPORTS", "20"}});
  hid_device* device = OpenBox();
  SendCommand(device, KindConnect);
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 64) << "the confirmation";
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 0) << "no flood before a reset";
  SendCommand(device, KindReset);
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 64) << "the session start";
  // At its pace of one box second a second, no stroke is due yet.
  for (int report = 0; report < 20; ++report) {
    ASSERT_EQ(hid_read(device, buffer.data(), buffer.size()), 64);
    EXPECT_FALSE(std::all_of(buffer.begin(), buffer.begin() + 64, [](std::uint8_t b) { return b == 0; }));
  }
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), 0);
  hid_close(device);
}

// The scanner itself skips strokes before a session start, so the reports
// are looked at as they come: one frame at the start of each.
TEST(SimulatedBox, PaddlingAtConnectSendsStrokesWithoutASessionStart) {
  AttachBoxes({{"BOXSIM_PACE", "100"}, {"BOXSIM_PAUSE_EVERY", "0"}, {"BOXSIM_PADDLING_AT_CONNECT", "1"}});
  hid_device* device = OpenBox();
  SendCommand(device, KindConnect);
  std::array<std::uint8_t, 200> buffer{};
  const auto startsWith = [&](const FrameTag& tag) { return std::equal(tag.begin(), tag.end(), buffer.begin()); };
  int strokes = 0;
  int sessionStarts = 0;
  WaitUntil([&] {
    if (hid_read(device, buffer.data(), buffer.size()) > 0) {
      strokes += startsWith(StrokeTag) ? 1 : 0;
      sessionStarts += startsWith(SessionStartTag) ? 1 : 0;
    }
    return strokes >= 3;
  });
  hid_close(device);
  EXPECT_GE(strokes, 3);
  EXPECT_EQ(sessionStarts, 0);
}

// Unplugged after five reports (the confirmation, the session start and
// three strokes), the box paddles on; plugged in again it is opened anew and
// its strokes go on from the fourth, while the device opened before stays gone.
TEST(SimulatedBox, UnpluggedOnceAfterSomeReportsAndPluggedInAgainPaddlesOn) {
  AttachBoxes(
      {{"BOXSIM_BOXES", "1001,57"}, {"BOXSIM_UNPLUG_AFTER", "5"}, {"BOXSIM_PACE", "100"}, {"BOXSIM_PAUSE_EVERY", "0"}});
  hid_device* device = OpenBox();
  SendCommand(device, KindConnect);
  SendCommand(device, KindReset);
  ScanningConsumer consumer;
  ReadStrokes(device, consumer, 3);
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), -1);
  EXPECT_EQ(hid_write(device, buffer.data(), 65), -1);
  EXPECT_EQ(ListedSerialNumbers(), std::vector<std::wstring>{L"57"});

  boxsim::PlugIn("1001");
  EXPECT_EQ(ListedSerialNumbers(), (std::vector<std::wstring>{L"1001", L"57"}));
  EXPECT_EQ(hid_read(device, buffer.data(), buffer.size()), -1);
  hid_close(device);
  hid_device* again = OpenBox();
  ReadStrokes(again, consumer, 8);
  hid_close(again);
  EXPECT_EQ(consumer.StrokeNumbers.size(), 8u);
  EXPECT_TRUE(CountsUpFromOne(consumer.StrokeNumbers));
  EXPECT_EQ(consumer.Count(ScanSessionStart), 1);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"open", "nonblocking", "write", "write", "unplugged", "write",
                                                    "plugged-in", "close", "open", "nonblocking", "close"}));
}

}  // namespace
}  // namespace veltrasko

namespace veltrasko::boxsim {
namespace {

std::vector<std::uint8_t> CommandReport(std::uint8_t kind) {
  std::vector<std::uint8_t> report(BoxOutputReportLength);
  std::copy(StatusTag.begin(), StatusTag.end(), report.begin() + 1);
  const BoxCommand command = MakeBoxCommand(kind);
  std::copy(command.Bytes.begin(), command.Bytes.end(), report.begin() + 5);
  return report;
}

// The box's tick clock wraps after about 2 h 23 min of paddling; the strokes
// must go on coming at their pace, not all at once.
TEST(SimulatedBox, PaddlesAtItsPaceBeyondTheTickClockWrap) {
  BoxsimOptions options;
  options.PauseEvery = 0;
  SimulatedBox box(BoxListing{"1001"}, options);
  const Clock::time_point start{};
  box.WriteReport(CommandReport(KindConnect), start);
  box.WriteReport(CommandReport(KindReset), start);

  std::array<std::uint8_t, 64> report{};
  unsigned delivered = 0;
  const auto deliveredBy = [&](int seconds) {
    const Clock::time_point now = start + std::chrono::seconds(seconds);
    // More than a second's strokes per second would be a flood.
    for (int read = 0; read < 100 && box.ReadReport(report, now) > 0; ++read) ++delivered;
    return delivered;
  };
  unsigned atEightThousand = 0;
  for (int second = 1; second <= 9000; ++second) {
    deliveredBy(second);
    if (second == 8000) atEightThousand = delivered;
  }
  const unsigned lastThousandSeconds = delivered - atEightThousand;
  EXPECT_GT(atEightThousand, 8000u);
  EXPECT_NEAR(lastThousandSeconds, atEightThousand / 8.0, atEightThousand / 8.0 * 0.2);
}

}  // namespace
}  // namespace veltrasko::boxsim

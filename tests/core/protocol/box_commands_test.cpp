// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/box_commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrasko {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Stands in for the USB write: keeps every report handed to it.
class RecordingWriter : public ReportWriter {
 public:
  void WriteReport(std::span<const std::uint8_t> report) override {
    Reports.emplace_back(report.begin(), report.end());
  }
  std::vector<Bytes> Reports;
};

Bytes ExpectedReport(std::uint8_t kind) {
  Bytes report(BoxOutputReportLength, 0x00);
  report[1] = report[2] = report[3] = 0xFF;
  report[4] = 0xFB;
  report[27] = kind;
  report[28] = kind;
  return report;
}

class BoxCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { sender.AttachWriter(writer); }

  void ExpectEmptyReport() const {
    EXPECT_EQ(sender.CommandReportFill(), 1);
    for (std::uint8_t b : sender.CommandReport()) ASSERT_EQ(b, 0);
  }

  RecordingWriter writer;
  BoxCommandSender sender;
};

TEST(CommandChecksum, SumsAllButTheLastTwoBytes) {
  Bytes message(25, 0xFF);
  EXPECT_EQ(CommandChecksum(message), 0x16E9);

  const BoxCommand command = MakeBoxCommand(KindReset);
  EXPECT_EQ(command.MessageKind(), KindReset);
  EXPECT_EQ(command.Bytes[23], 0x18);
  EXPECT_EQ(command.Bytes[24], 0x00);
  EXPECT_EQ(CommandChecksum(Bytes{0x07}), 0);
}

TEST_F(BoxCommandsTest, EachCommandLeavesInOneZeroFilledReport) {
  sender.SendConnectRequest();
  sender.SendDisconnectCommand();
  sender.SendResetCommand();
  ASSERT_EQ(writer.Reports.size(), 3u);
  EXPECT_EQ(writer.Reports[0], ExpectedReport(KindConnect));
  EXPECT_EQ(writer.Reports[1], ExpectedReport(KindDisconnect));
  EXPECT_EQ(writer.Reports[2], ExpectedReport(KindReset));
  ExpectEmptyReport();
}

TEST_F(BoxCommandsTest, NothingIsStoredOrWrittenWithoutAnOpenBox) {
  sender.DetachWriter();
  sender.SendResetCommand();
  sender.QueueCommandByte(0x42);
  EXPECT_TRUE(writer.Reports.empty());
  ExpectEmptyReport();

  sender.AttachWriter(writer);
  sender.SendCommandReport();
  EXPECT_TRUE(writer.Reports.empty()) << "an empty report is not sent";
}

TEST_F(BoxCommandsTest, QueueHoldsAtMost199BytesUntilSent) {
  for (int i = 0; i < 250; ++i) sender.QueueCommandByte(static_cast<std::uint8_t>(i + 1));
  EXPECT_EQ(sender.CommandReportFill(), 200);
  EXPECT_EQ(sender.CommandReport()[199], 199);

  sender.SendCommandReport();
  ASSERT_EQ(writer.Reports.size(), 1u);
  ASSERT_EQ(writer.Reports[0].size(), CommandReportCapacity);
  EXPECT_EQ(writer.Reports[0][0], 0);
  EXPECT_EQ(writer.Reports[0][1], 1);
  EXPECT_EQ(writer.Reports[0][199], 199);
  ExpectEmptyReport();
}

TEST_F(BoxCommandsTest, OpeningABoxDiscardsBytesQueuedBefore) {
  sender.QueueCommandByte(0x55);
  sender.EmptyCommandReport();
  sender.SendConnectRequest();
  ASSERT_EQ(writer.Reports.size(), 1u);
  EXPECT_EQ(writer.Reports[0], ExpectedReport(KindConnect));
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/boxsim/report_packer.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace veltrasko::boxsim {
namespace {

std::vector<std::uint8_t> Frame(std::size_t length, std::uint8_t first) {
  std::vector<std::uint8_t> frame(length);
  std::iota(frame.begin(), frame.end(), first);
  return frame;
}

// Every report of the packer, until none is ready.
std::vector<std::vector<std::uint8_t>> Drain(ReportPacker& packer, std::size_t length, bool flush) {
  std::vector<std::vector<std::uint8_t>> reports;
  std::array<std::uint8_t, MaxReportLength> report{};
  while (packer.NextReport(std::span(report.data(), length), flush))
    reports.emplace_back(report.begin(), report.begin() + length);
  return reports;
}

TEST(ReportPacker, OneFramePerReportWithZeroFill) {
  ReportPacker packer(ReportPacking::OneFrame, 64);
  packer.Enqueue(Frame(38, 1));
  packer.Enqueue(Frame(10, 100));
  const auto reports = Drain(packer, 64, false);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(std::vector(reports[0].begin(), reports[0].begin() + 38), Frame(38, 1));
  EXPECT_TRUE(std::all_of(reports[0].begin() + 38, reports[0].end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(std::vector(reports[1].begin(), reports[1].begin() + 10), Frame(10, 100));
  EXPECT_EQ(packer.QueuedBytes(), 0u);
}

TEST(ReportPacker, BurstPacksWholeFramesOnly) {
  ReportPacker packer(ReportPacking::Burst, 100);
  for (std::uint8_t i = 0; i < 3; ++i) packer.Enqueue(Frame(38, static_cast<std::uint8_t>(i * 40)));
  const auto reports = Drain(packer, 100, false);
  ASSERT_EQ(reports.size(), 2u);  // two frames fit, the third waits for the next report
  EXPECT_EQ(std::vector(reports[0].begin() + 38, reports[0].begin() + 76), Frame(38, 40));
  EXPECT_EQ(reports[0][76], 0);
  EXPECT_EQ(std::vector(reports[1].begin(), reports[1].begin() + 38), Frame(38, 80));
}

TEST(ReportPacker, SplitStreamFillsReportsAndWaitsForTheRestUntilFlushed) {
  ReportPacker packer(ReportPacking::Split, 64);
  std::vector<std::uint8_t> stream;
  for (std::uint8_t i = 0; i < 3; ++i) {
    const auto frame = Frame(38, static_cast<std::uint8_t>(i * 50));
    stream.insert(stream.end(), frame.begin(), frame.end());
    packer.Enqueue(frame);
  }
  auto reports = Drain(packer, 64, false);
  ASSERT_EQ(reports.size(), 1u);  // 114 bytes: one full report, 50 bytes wait
  EXPECT_EQ(packer.QueuedBytes(), 50u);
  const auto rest = Drain(packer, 64, true);
  ASSERT_EQ(rest.size(), 1u);
  std::vector<std::uint8_t> received(reports[0]);
  received.insert(received.end(), rest[0].begin(), rest[0].begin() + 50);
  EXPECT_EQ(received, stream);
  EXPECT_TRUE(std::all_of(rest[0].begin() + 50, rest[0].end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(ReportPacker, FrameLongerThanAReportContinuesWithoutFill) {
  ReportPacker packer(ReportPacking::OneFrame, 20);
  packer.Enqueue(Frame(38, 0));
  const auto reports = Drain(packer, 20, false);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], Frame(20, 0));
  EXPECT_EQ(std::vector(reports[1].begin(), reports[1].begin() + 18), Frame(18, 20));
  EXPECT_EQ(reports[1][18], 0);
}

}  // namespace
}  // namespace veltrasko::boxsim

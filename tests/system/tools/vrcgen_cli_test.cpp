// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "program_identity.h"
#include "protocol/box_messages.h"
#include "tool_fixture.h"

namespace veltrasko::test {
namespace {

constexpr std::size_t HeadLength = 58 + 10;
constexpr std::size_t StrokeFrameLength = 38;

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The stroke payloads of a file that holds only whole stroke frames after its head.
std::vector<StrokeMessage> StrokePayloads(const std::string& file) {
  std::vector<StrokeMessage> messages;
  for (std::size_t at = HeadLength; at + StrokeFrameLength <= file.size(); at += StrokeFrameLength) {
    StrokeMessage message;
    const auto frame = Bytes(file).subspan(at, StrokeFrameLength);
    EXPECT_TRUE(std::equal(frame.begin(), frame.begin() + 4, StrokeTag.begin())) << "frame at " << at;
    std::copy(frame.begin() + 4, frame.end(), message.Bytes.begin());
    messages.push_back(message);
  }
  return messages;
}

using Vrcgen = ToolTest;

TEST_F(Vrcgen, SameSeedGivesTheSameBytesAndAnotherSeedOthers) {
  const std::string first = ReadWholeText(MakeRecord("a.vrc", {"--strokes", "200", "--seed", "11"}));
  const std::string again = ReadWholeText(MakeRecord("b.vrc", {"--strokes", "200", "--seed", "11"}));
  const std::string other = ReadWholeText(MakeRecord("c.vrc", {"--strokes", "200", "--seed", "12"}));
  EXPECT_EQ(first, again);
  ASSERT_EQ(first.size(), other.size());
  EXPECT_NE(first, other);
  EXPECT_EQ(first.substr(0, HeadLength), other.substr(0, HeadLength));
}

TEST_F(Vrcgen, FileHoldsPersonalDataSessionStartAndOneFramePerStroke) {
  EXPECT_EQ(ReadWholeText(MakeRecord("empty.vrc", {"--strokes", "0"})).size(), HeadLength);
  const std::string file = ReadWholeText(MakeRecord("three.vrc", {"--strokes", "3"}));
  ASSERT_EQ(file.size(), HeadLength + 3 * StrokeFrameLength);
  EXPECT_EQ(file.substr(0, 10), std::string("\xFF\xFF\xFF\xFD"
                                            "Kayak\0",
                                            10));
  EXPECT_EQ(file.substr(58, 10), std::string("\xFF\xFF\xFF\xFE\x76\x00\x50\x00\xC6\x00", 10));
  const auto strokes = StrokePayloads(file);
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    EXPECT_EQ(strokes[i].StrokeNumber(), i + 1);
    EXPECT_EQ(strokes[i].StrokeChecksum(), ByteSum(std::span(strokes[i].Bytes).first(32)));
  }
}

TEST_F(Vrcgen, PersonalDataAndSessionStartTakeTheOptions) {
  const std::string path = MakeRecord("anna.vrc", {"--name", "Anna Berg", "--fan", "7", "--weight", "64",
                                                   "--box-version", "117", "--date", "20241231"});
  const std::string file = ReadWholeText(path);
  PersonalData personal;
  std::copy_n(file.begin() + 4, PersonalDataLength, personal.Bytes.begin());
  EXPECT_EQ(personal.PersonName(), "Anna Berg");
  EXPECT_EQ(personal.FanResistance(), "7");
  EXPECT_EQ(personal.WeightText(), "64");
  EXPECT_EQ(personal.SessionDate(), "12-31-2024");
  const OpenedRecord opened(path);
  EXPECT_EQ(opened.Core->File().FileHeader.BoxVersion, 117);
  EXPECT_EQ(opened.Core->File().FileHeader.Weight, 64);
  EXPECT_EQ(opened.Strokes().Count(), 300u);
}

TEST_F(Vrcgen, LaterSessionsRestartTheCountersWithoutASecondSessionStart) {
  const std::string file = ReadWholeText(MakeRecord("three.vrc", {"--strokes", "40", "--sessions", "3"}));
  ASSERT_EQ(file.size(), HeadLength + 120 * StrokeFrameLength);
  EXPECT_EQ(file.find("\xFF\xFF\xFF\xFE"), 58u);
  EXPECT_EQ(file.find("\xFF\xFF\xFF\xFE", 59), std::string::npos);
  const auto strokes = StrokePayloads(file);
  for (std::size_t i = 0; i < strokes.size(); ++i) EXPECT_EQ(strokes[i].StrokeNumber(), i % 40 + 1) << i;
  EXPECT_EQ(strokes[40].ClockTicks(), strokes[40].PaddleTicks());
  EXPECT_LT(strokes[40].TotalDistance(), strokes[0].TotalDistance() + 2.0f);
}

// Each fault of the model, every 10th of 100 strokes, and what reading the file makes of it.
struct ModelFault {
  const char* Option;
  std::uint32_t AcceptedStrokes;
};
void PrintTo(const ModelFault& fault, std::ostream* out) { *out << fault.Option; }

class VrcgenModelFault : public ToolTest, public ::testing::WithParamInterface<ModelFault> {};

TEST_P(VrcgenModelFault, ReadingKeepsTheFaultyMessagesOutOfTheTable) {
  const std::string path = MakeRecord("fault.vrc", {"--strokes", "100", GetParam().Option, "10"});
  EXPECT_EQ(ReadWholeText(path).size(), HeadLength + 100 * StrokeFrameLength);
  EXPECT_EQ(OpenedRecord(path).Strokes().Count(), GetParam().AcceptedStrokes);
}

INSTANTIATE_TEST_SUITE_P(EveryTenth, VrcgenModelFault,
                         ::testing::Values(ModelFault{"--pause-every", 100}, ModelFault{"--short-stop-every", 90},
                                           ModelFault{"--clock-behind-every", 90}, ModelFault{"--repeat-every", 90},
                                           ModelFault{"--spike-every", 90}));

TEST_F(Vrcgen, PausesShowAsClockTimeJumps) {
  const OpenedRecord opened(MakeRecord("pauses.vrc", {"--strokes", "100", "--pause-every", "10"}));
  int jumps = 0;
  for (std::uint32_t i = 1; i < opened.Strokes().Count(); ++i)
    jumps += opened.Strokes()[i].ClockTime - opened.Strokes()[i - 1].ClockTime > 2.0f;
  EXPECT_EQ(jumps, 10);
}

TEST_F(Vrcgen, DamagedFramesAreStoredAndSkippedWhenRead) {
  const std::string clean = MakeRecord("clean.vrc", {"--strokes", "120"});
  const std::string garbage = MakeRecord("garbage.vrc", {"--strokes", "120", "--garbage-every", "3"});
  const std::string badSums = MakeRecord("sums.vrc", {"--strokes", "120", "--bad-checksum-every", "4"});
  const std::string truncated = MakeRecord("cut.vrc", {"--strokes", "120", "--truncate-last"});

  EXPECT_GE(ReadWholeText(garbage).size(), ReadWholeText(clean).size() + 39 * 4);
  int wrongSums = 0;
  for (const StrokeMessage& message : StrokePayloads(ReadWholeText(badSums)))
    wrongSums += message.StrokeChecksum() != ByteSum(std::span(message.Bytes).first(32));
  EXPECT_EQ(wrongSums, 30);
  EXPECT_EQ(ReadWholeText(truncated).size(), ReadWholeText(clean).size() - (34 - 17));

  const OpenedRecord cleanRead(clean);
  const OpenedRecord garbageRead(garbage);
  const OpenedRecord badSumsRead(badSums);
  const OpenedRecord truncatedRead(truncated);
  ASSERT_EQ(cleanRead.Strokes().Count(), 120u);
  ASSERT_EQ(garbageRead.Strokes().Count(), 120u);
  for (std::uint32_t i = 0; i < 120; ++i) EXPECT_EQ(garbageRead.Strokes()[i], cleanRead.Strokes()[i]) << i;
  EXPECT_EQ(badSumsRead.Strokes().Count(), 90u);
  EXPECT_EQ(truncatedRead.Strokes().Count(), 119u);
}

TEST_F(Vrcgen, AppendedPersonalDataWinsAndABadSessionStartMakesTheFileUnreadable) {
  const std::string appended = MakeRecord("renamed.vrc", {"--strokes", "5", "--append-name", "Bo Lind"});
  EXPECT_EQ(ReadWholeText(appended).size(), HeadLength + 5 * StrokeFrameLength + 58);
  const OpenedRecord renamed(appended);
  EXPECT_EQ(renamed.Core->File().FilePersonalData.PersonName(), "Bo Lind");
  EXPECT_EQ(renamed.Core->File().FilePersonalData.FanResistance(), "5");

  const OpenedRecord unreadable(MakeRecord("badstart.vrc", {"--strokes", "5", "--bad-session-start"}));
  EXPECT_TRUE(unreadable.Screen.WasShown("Could not open file!"));
}

TEST_F(Vrcgen, BadUsageExitsWithTwoAndTheUsage) {
  const std::vector<std::vector<std::string>> bad{
      {},
      {"--strokes", "many", File("x.vrc")},
      {"--strokes"},
      {"--frobnicate", File("x.vrc")},
      {"--name", std::string(35, 'n'), File("x.vrc")},
      {"--fan", "1234", File("x.vrc")},
      {"--date", "20241301", File("x.vrc")},
      {"--sessions", "0", File("x.vrc")},
      {File("x.vrc"), File("y.vrc")},
  };
  for (const auto& arguments : bad) {
    const ProcessResult result = RunVrcgen(arguments);
    EXPECT_EQ(result.ExitCode, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(result.Err.find("usage: vrcgen"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(File("x.vrc")));

  const ProcessResult help = RunVrcgen({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Out.find("--truncate-last"), std::string::npos);
}

TEST_F(Vrcgen, ValuesAfterEqualsSignsAndADashFileAfterTheEndOfTheOptions) {
  ASSERT_EQ(RunVrcgen({"--strokes=30", "--name=Eva", "--seed=7", "--", "-joined.vrc"}).ExitCode, 0);
  ASSERT_EQ(RunVrcgen({"--strokes", "30", "--name", "Eva", "--seed", "7", File("apart.vrc")}).ExitCode, 0);
  EXPECT_EQ(ReadWholeText(File("-joined.vrc")), ReadWholeText(File("apart.vrc")));
  EXPECT_EQ(RunVrcgen({"--strokes=", File("x.vrc")}).ExitCode, 2);

  const ProcessResult version = RunVrcgen({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, "vrcgen " VELTRASKO_VERSION "\n");
}

TEST_F(Vrcgen, AnOutputThatCannotBeCreatedIsReported) {
  const ProcessResult result = RunVrcgen({File("missing-folder/x.vrc")});
  EXPECT_NE(result.ExitCode, 0);
  EXPECT_NE(result.Err.find("missing-folder/x.vrc"), std::string::npos);
}

}  // namespace
}  // namespace veltrasko::test

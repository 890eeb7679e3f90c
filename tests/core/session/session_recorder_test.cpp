// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_recorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "session/record_reader.h"
#include "support/core_state_for_tests.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

using test::AcceptedStroke;
using test::AppendFrame;
using test::Bytes;
using test::ReadWholeFile;
using test::RecordingSinks;
using test::ShortWaterStroke;
using test::TemporaryFolder;
using test::WithBadChecksum;

constexpr CalendarDate March7{2024, 3, 7};
constexpr std::size_t PersonalFrameLength = 58;
constexpr std::size_t StartFrameLength = 10;
constexpr std::size_t StrokeFrameLength = 38;
constexpr std::size_t FileHeadLength = PersonalFrameLength + StartFrameLength;

constexpr std::string_view NotSavingText =
    " Not saving session data!  Choose 'File->Save next..' to save next session.";

// Any message box the test did not announce fails it.
class StrictMessages : public MessageSink {
 public:
  MOCK_METHOD(void, ShowMessage, (std::string_view text), (override));
};

std::size_t Count(const std::vector<std::string>& log, const std::string& entry) {
  return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
}

class LiveSession : public ::testing::Test {
 protected:
  LiveSession() {
    // The box has confirmed the connection; the window chose the name.
    core.ConnectionConfirmed();
    ChooseName("race.vrc");
  }

  void ChooseName(std::string_view fileName) { core.Savenext(folder.File(fileName)); }

  // The name was cancelled at the connection.
  void CancelName() {
    CoreStateForTests::Session(core).SaveDialogFileName.clear();
    CoreStateForTests::Session(core).SaveNameChosen = 0;
  }

  void Deliver(const FrameTag& tag, std::span<const std::uint8_t> payload) {
    test::DeliverFrame(recorder, tag, payload);
  }
  void Reset(std::int16_t weight = 80, std::int16_t version = 118) {
    Deliver(SessionStartTag, EncodeSessionStart(version, weight).Bytes);
  }
  void Stroke(const StrokeMessage& message) { Deliver(StrokeTag, message.Bytes); }
  void Strokes(std::uint16_t first, std::uint16_t last) {
    for (std::uint16_t n = first; n <= last; ++n) Stroke(AcceptedStroke(n));
  }

  std::string Path(std::string_view name) const { return folder.File(name); }
  std::uintmax_t SizeOf(std::string_view name) const { return std::filesystem::file_size(Path(name)); }
  bool Exists(std::string_view name) const { return std::filesystem::exists(Path(name)); }

  TemporaryFolder folder;
  AnalyserCore core;
  RecordingSinks screen;
  ::testing::StrictMock<StrictMessages> messages;
  ScreenSinks sinks{screen, messages, screen, screen};
  SessionRecorder recorder{core, sinks, [] { return March7; }};
};

TEST_F(LiveSession, EachResetAfterTwoStrokesStartsTheNextNumberAndANewNameStartsAtZero) {
  Reset();
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), Path("race_00.vrc"));
  EXPECT_EQ(core.Session().SaveNameChosen, 0);
  Strokes(1, 3);

  Reset();
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 3 * StrokeFrameLength);
  EXPECT_EQ(SizeOf("race_01.vrc"), FileHeadLength);
  EXPECT_EQ(core.Session().StrokeCount, 0u);
  Strokes(1, 2);

  // A new name chosen during a recording takes effect at the next reset.
  ChooseName("heat.vrc");
  Stroke(AcceptedStroke(3));
  Reset();
  EXPECT_EQ(SizeOf("race_01.vrc"), FileHeadLength + 3 * StrokeFrameLength);
  EXPECT_EQ(SizeOf("heat_00.vrc"), FileHeadLength);
  EXPECT_FALSE(Exists("race_02.vrc"));
  Strokes(1, 2);
  Reset();
  EXPECT_EQ(SizeOf("heat_01.vrc"), FileHeadLength);
  EXPECT_EQ(core.Session().FileCounter, 2);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), Path("heat_01.vrc"));
}

TEST_F(LiveSession, NewFileClearsTheGraphsAndShowsTheSession) {
  Reset();
  Strokes(1, 5);
  screen.Log.clear();
  screen.Plotted.clear();
  Reset(72);
  const std::vector<std::string> expected{
      "clear", "undo zoom", "axes", "status2: Strokes: 0", "status3: Weight: 72 Kg", "status4:" + Path("race_01.vrc")};
  const auto shown = std::find(screen.Log.begin(), screen.Log.end(), "clear");
  ASSERT_NE(shown, screen.Log.end());
  EXPECT_EQ(std::vector<std::string>(shown, screen.Log.end()), expected);
  EXPECT_EQ(Count(screen.Log, "online weight:72"), 1u);
  EXPECT_EQ(core.Session().OnlinePersonalData.WeightText(), "72");
  EXPECT_EQ(core.Session().OnlineHeader.BoxVersion, 118);
  EXPECT_EQ(core.Session().DisplayedStrokeCount, 0);

  Strokes(1, 2);
  EXPECT_EQ(screen.LastStatus(StatusPanel::Strokes), " Strokes: 2");
  EXPECT_EQ(core.Session().DisplayedStrokeCount, 2);
  EXPECT_EQ(screen.Plotted.size(), 2u);
}

TEST_F(LiveSession, ResetAfterOneStrokeContinuesTheFileAndTheTable) {
  Reset();
  Stroke(AcceptedStroke(1));
  Reset();
  // The box counts from 1 again; its first stroke repeats the old one's counters.
  Strokes(1, 3);

  EXPECT_FALSE(Exists("race_01.vrc"));
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 4 * StrokeFrameLength);
  EXPECT_EQ(core.Session().StrokeCount, 3u);
  EXPECT_EQ(core.OnlineStrokes()[0].StrokeNumber, 1);
  EXPECT_EQ(core.OnlineStrokes()[1].StrokeNumber, 2);
  EXPECT_EQ(core.Session().FileCounter, 1);
}

TEST_F(LiveSession, ResetWithoutStrokesContinuesUnlessTheWeightOrPersonalDataChanged) {
  Reset(80);
  Reset(80);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength);
  EXPECT_FALSE(Exists("race_01.vrc"));

  Reset(75);
  EXPECT_FALSE(Exists("race_01.vrc"));
  Bytes bytes = ReadWholeFile(Path("race_00.vrc"));
  ASSERT_EQ(bytes.size(), FileHeadLength);
  EXPECT_EQ(bytes[4 + WeightTextField.offset], '7');
  EXPECT_EQ(bytes[4 + WeightTextField.offset + 1], '5');
  EXPECT_EQ(ReadI16(bytes, PersonalFrameLength + 4 + 2), 75);

  core.OnlinePersonalDataEdited();
  core.ApplyPersonalData("Eva", "7");
  Reset(75);
  EXPECT_FALSE(Exists("race_01.vrc"));
  bytes = ReadWholeFile(Path("race_00.vrc"));
  ASSERT_EQ(bytes.size(), FileHeadLength);
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 7), "Eva");
  EXPECT_EQ(core.PersonalMarks().OnlinePersonalChanged, 0);
  EXPECT_EQ(core.Session().FileCounter, 1);

  // With the number taken again, the next session goes on from it.
  Strokes(1, 2);
  Reset(75);
  EXPECT_TRUE(Exists("race_01.vrc"));
}

TEST_F(LiveSession, BoxOlderThanOneSeventeenIsRefusedAndItsStrokesAreNotRecorded) {
  EXPECT_CALL(messages, ShowMessage("This program do not work with veltrasko box versions below ver. 1.18")).Times(2);
  Reset(80, 116);
  Strokes(1, 2);
  EXPECT_TRUE(std::filesystem::is_empty(Path("")));
  EXPECT_EQ(core.Session().StrokeCount, 0u);

  // Refused after a good session: its strokes stay out of that session's file.
  Reset(80, 118);
  Strokes(1, 2);
  Reset(80, 116);
  Strokes(3, 4);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 2 * StrokeFrameLength);
  EXPECT_EQ(core.Session().StrokeCount, 2u);
  EXPECT_EQ(core.Session().HeartRateFactor, 1);
}

TEST_F(LiveSession, BoxOfVersionOneSeventeenSendsTheHeartRateInFifthsForItsOwnSessions) {
  Reset(80, 117);
  Stroke(AcceptedStroke(1));
  ASSERT_EQ(core.Session().StrokeCount, 1u);
  EXPECT_FLOAT_EQ(core.OnlineStrokes()[0].HeartRate, 700.0f);

  Stroke(AcceptedStroke(2));
  Reset(80, 118);
  Stroke(AcceptedStroke(1));
  EXPECT_FLOAT_EQ(core.OnlineStrokes()[0].HeartRate, 140.0f);

  // Not saving does not change the rule.
  CancelName();
  Reset(80, 117);
  Stroke(AcceptedStroke(1));
  EXPECT_FLOAT_EQ(core.OnlineStrokes()[0].HeartRate, 700.0f);
}

// Files of an earlier run, another program or a link someone planted: none
// is opened, and each session goes to the next number that is free.
TEST_F(LiveSession, TakenNamesAreNeverReplacedAndTheNextFreeNumberIsUsed) {
  const Bytes earlier(182, 0xAB);
  test::WriteWholeFile(Path("race_00.vrc"), earlier);
  test::WriteWholeFile(Path("victim"), earlier);
  std::filesystem::create_symlink(Path("victim"), Path("race_01.vrc"));
  std::filesystem::create_directory(Path("race_03.vrc"));

  Reset();
  EXPECT_EQ(SizeOf("race_02.vrc"), FileHeadLength);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), Path("race_02.vrc"));
  Strokes(1, 2);
  Reset();
  EXPECT_EQ(SizeOf("race_04.vrc"), FileHeadLength);
  EXPECT_EQ(core.Session().FileCounter, 5);

  // The same name chosen again starts at 00 and finds it taken too.
  Strokes(1, 2);
  ChooseName("race.vrc");
  Reset();
  EXPECT_EQ(SizeOf("race_05.vrc"), FileHeadLength);
  EXPECT_EQ(ReadWholeFile(Path("race_00.vrc")), earlier);
  EXPECT_EQ(ReadWholeFile(Path("victim")), earlier);
  EXPECT_EQ(SizeOf("race_02.vrc"), FileHeadLength + 2 * StrokeFrameLength);
}

TEST_F(LiveSession, NumbersGrowPastNinetyNineUntilNoneIsLeft) {
  for (int n = 100; n <= 199; ++n) test::WriteWholeFile(Path("race_" + std::to_string(n).substr(1) + ".vrc"), {});
  Reset();
  EXPECT_EQ(SizeOf("race_100.vrc"), FileHeadLength);

  test::WriteWholeFile(Path("race_32767.vrc"), {});
  CoreStateForTests::Session(core).FileCounter = LastFileNumber;
  Strokes(1, 2);
  EXPECT_CALL(messages, ShowMessage("Error In Opening File"));
  Reset();
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), " Not saving! Could not create " + Path("race_32767.vrc"));
}

// Only a file that holds no stroke frame at all is made again; one whose
// strokes were all rejected is kept and the new data takes the next number.
TEST_F(LiveSession, FileWithRejectedStrokesIsNotMadeAgain) {
  Reset(80);
  Stroke(ShortWaterStroke(1));
  ASSERT_EQ(core.Session().StrokeCount, 0u);
  Reset(75);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + StrokeFrameLength);
  EXPECT_EQ(SizeOf("race_01.vrc"), FileHeadLength);
}

TEST_F(LiveSession, WithoutANameSessionsAreShownAndCountedButNotSaved) {
  CancelName();
  Reset(68);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), NotSavingText);
  EXPECT_EQ(screen.LastStatus(StatusPanel::Weight), " Weight: 68 Kg");
  Strokes(1, 3);
  EXPECT_EQ(core.Session().StrokeCount, 3u);
  EXPECT_EQ(screen.Plotted.size(), 3u);
  EXPECT_EQ(screen.LastStatus(StatusPanel::Strokes), " Strokes: 3");

  Reset(68);
  EXPECT_EQ(core.Session().StrokeCount, 0u);
  EXPECT_EQ(core.Session().FileCounter, 2);
  EXPECT_TRUE(std::filesystem::is_empty(Path("")));

  // The next name chosen starts at number 00.
  ChooseName("later.vrc");
  Reset(68);
  EXPECT_EQ(SizeOf("later_00.vrc"), FileHeadLength);
}

TEST_F(LiveSession, SessionsCountedWithoutANameStopAtTheLastNumber) {
  CancelName();
  for (int n = 0; n <= LastFileNumber; ++n) Reset();
  EXPECT_EQ(core.Session().FileCounter, LastFileNumber);
  ChooseName("later.vrc");
  Reset();
  EXPECT_EQ(SizeOf("later_00.vrc"), FileHeadLength);
}

TEST_F(LiveSession, RejectedStrokesAreWrittenButNotCountedAndDamagedOnesAreDropped) {
  Reset();
  Stroke(AcceptedStroke(1));
  Stroke(ShortWaterStroke(2));
  Stroke(WithBadChecksum(AcceptedStroke(3)));
  // Measured against the short one, the next stroke is nearly all water: rejected too.
  Stroke(AcceptedStroke(3));
  Stroke(AcceptedStroke(4));

  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 4 * StrokeFrameLength);
  EXPECT_EQ(core.Session().StrokeCount, 2u);
  ASSERT_EQ(screen.Plotted.size(), 2u);
  EXPECT_EQ(screen.Plotted[1].StrokeNumber, 4);
  std::vector<std::uint16_t> walked;
  core.OnlineStrokes().ForEachRow([&](const StrokeRow& row) { walked.push_back(row.StrokeNumber); });
  EXPECT_EQ(walked, (std::vector<std::uint16_t>{1, 4}));
}

TEST_F(LiveSession, StrokesWaitForASessionStartAndPersonalDataFromTheBoxIsIgnored) {
  CoreStateForTests::Flags(core).SessionStartSeen = 1;
  Strokes(1, 2);
  EXPECT_EQ(core.Session().StrokeCount, 0u);

  Reset();
  const PersonalData before = core.Session().OnlinePersonalData;
  PersonalData fromBox;
  fromBox.SetText(PersonNameField, "Intruder");
  Deliver(PersonalDataTag, fromBox.Bytes);
  EXPECT_EQ(core.Session().OnlinePersonalData, before);

  // A new connection closes the session until the box reports the next one.
  core.ConnectBox();
  Strokes(1, 2);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength);
  EXPECT_EQ(core.Session().StrokeCount, 0u);
}

TEST_F(LiveSession, FullTableStoresNoMoreStrokesButTheFileGetsThemAll) {
  Reset();
  StrokeTable& table = CoreStateForTests::OnlineStrokes(core);
  while (table.Count() < StrokeTableCapacity - 1) {
    table.WorkingRow().Side = 0;
    table.FinishStroke(true);
  }
  Strokes(1, 3);

  EXPECT_EQ(table.Count(), StrokeTableCapacity);
  EXPECT_EQ(core.Session().StrokeCount, StrokeTableCapacity);
  EXPECT_EQ(table[StrokeTableCapacity - 1].StrokeNumber, 1);
  EXPECT_EQ(screen.Plotted.size(), 1u);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 3 * StrokeFrameLength);
  std::uint32_t walked = 0;
  table.ForEachRow([&](const StrokeRow&) { ++walked; });
  EXPECT_EQ(walked, StrokeTableCapacity);
}

TEST_F(LiveSession, RecordFileReadsBackAsTheSessionThatWasShown) {
  core.ApplyPersonalData("Kayak", "5");
  Reset(80);
  const std::vector<StrokeMessage> fed{AcceptedStroke(1), AcceptedStroke(2), ShortWaterStroke(3), AcceptedStroke(4),
                                       AcceptedStroke(5)};
  for (const StrokeMessage& message : fed) Stroke(message);
  ASSERT_EQ(core.Session().StrokeCount, 3u);

  Bytes expected;
  AppendFrame(expected, PersonalDataTag, core.Session().OnlinePersonalData.Bytes);
  AppendFrame(expected, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  for (const StrokeMessage& message : fed) AppendFrame(expected, StrokeTag, message.Bytes);
  EXPECT_EQ(ReadWholeFile(Path("race_00.vrc")), expected);
  EXPECT_EQ(core.Session().OnlinePersonalData.SessionDate(), "3-7-2024");

  AnalyserCore reading;
  RecordingSinks readingScreen;
  ScreenSinks readingSinks = readingScreen.Sinks();
  RecordReader reader(reading, readingSinks);
  ASSERT_TRUE(reader.ReadRecordFile(Path("race_00.vrc")));
  ASSERT_EQ(reading.FileStrokes().Count(), core.OnlineStrokes().Count());
  for (std::uint32_t i = 0; i < core.OnlineStrokes().Count(); ++i)
    EXPECT_EQ(reading.FileStrokes()[i], core.OnlineStrokes()[i]) << "row " << i;
  EXPECT_EQ(reading.File().FilePersonalData.PersonName(), "Kayak");
  EXPECT_EQ(reading.File().FileHeader.Weight, 80);
}

TEST_F(LiveSession, FramesSentBackToBackInFullReportsAreAllRecorded) {
  // Most 64-byte reports then carry two frames: taking one frame a report
  // would let the carry buffer overflow and drop strokes.
  Bytes stream;
  AppendFrame(stream, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  for (std::uint16_t n = 1; n <= 300; ++n) AppendFrame(stream, StrokeTag, AcceptedStroke(n).Bytes);
  constexpr std::size_t ReportLength = 64;
  for (std::size_t offset = 0; offset < stream.size(); offset += ReportLength) {
    StreamBuffer chunk;
    FillStreamBuffer(chunk, std::span(stream).subspan(offset, std::min(ReportLength, stream.size() - offset)));
    recorder.OnBytesReceived(chunk);
  }

  EXPECT_EQ(core.Session().StrokeCount, 300u);
  EXPECT_EQ(core.Session().DisplayedStrokeCount, 300);
  EXPECT_EQ(SizeOf("race_00.vrc"), FileHeadLength + 300 * StrokeFrameLength);
  EXPECT_TRUE(CoreStateForTests::Scanner(core).PendingBytes().empty());
}

TEST_F(LiveSession, UnwritableFileIsReportedOncePerFile) {
  const std::string notice = "status4: Not saving! Could not write " + Path("race_00.vrc");

  Reset();
  // Writes to a file whose name is gone fail as surely as on a full disk.
  std::filesystem::remove(Path("race_00.vrc"));
  Strokes(1, 3);
  EXPECT_EQ(Count(screen.Log, notice), 1u);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), notice.substr(8));
  // The session is still shown.
  EXPECT_EQ(screen.Plotted.size(), 3u);

  Reset();
  Strokes(1, 2);
  EXPECT_EQ(SizeOf("race_01.vrc"), FileHeadLength + 2 * StrokeFrameLength);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), Path("race_01.vrc"));
  EXPECT_EQ(Count(screen.Log, notice), 1u);
}

TEST_F(LiveSession, WriteFailureNoticeWaitsWhileTheFileViewIsShown) {
  const std::string notice = "status4: Not saving! Could not write " + Path("race_00.vrc");

  core.ShowFileGraph();
  Reset();
  std::filesystem::remove(Path("race_00.vrc"));
  Stroke(AcceptedStroke(1));
  EXPECT_EQ(Count(screen.Log, notice), 0u);
  EXPECT_TRUE(screen.Plotted.empty());

  core.ShowOnlineGraph();
  Strokes(2, 3);
  EXPECT_EQ(Count(screen.Log, notice), 1u);
}

TEST_F(LiveSession, FileThatCannotBeCreatedIsReportedAndTriedAgainAtTheNextReset) {
  EXPECT_CALL(messages, ShowMessage("Error In Opening File"));
  ChooseName("missing/race.vrc");
  Reset();
  Strokes(1, 2);
  EXPECT_EQ(core.Session().StrokeCount, 2u);
  EXPECT_EQ(screen.Plotted.size(), 2u);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint), " Not saving! Could not create " + Path("missing/race_00.vrc"));
  EXPECT_TRUE(core.Session().OnlineHeader.RecordFileName.View().empty());

  std::filesystem::create_directory(Path("missing"));
  Reset();
  EXPECT_EQ(SizeOf("missing/race_00.vrc"), FileHeadLength);
  EXPECT_EQ(core.Session().OnlineHeader.RecordFileName.View(), Path("missing/race_00.vrc"));
}

TEST_F(LiveSession, BaseNamesOfMoreThanNinetyNineBytesAreRefused) {
  const std::string prefix = Path("");
  ASSERT_LT(prefix.size(), 90u) << "temporary folder too deep for this test";
  const std::string longest = prefix + std::string(99 - prefix.size() - 4, 'n') + ".vrc";
  const std::string tooLong = prefix + std::string(100 - prefix.size() - 4, 'n') + ".vrc";

  core.Savenext(tooLong);
  EXPECT_CALL(messages, ShowMessage("Error In Opening File"));
  Reset();
  EXPECT_TRUE(std::filesystem::is_empty(prefix));
  EXPECT_TRUE(screen.LastStatus(StatusPanel::FileOrHint).starts_with(" Not saving! Could not create "));

  core.Savenext(longest);
  Reset();
  const std::string created = longest.substr(0, longest.size() - 4) + "_00.vrc";
  EXPECT_TRUE(std::filesystem::exists(created));
  EXPECT_EQ(core.Session().OnlineHeader.RecordFileName.View(), created);
}

TEST_F(LiveSession, ShortBaseNamesKeepAllTheirCharacters) {
  const std::string old = std::filesystem::current_path().string();
  std::filesystem::current_path(Path(""));
  core.Savenext("ab");
  Reset();
  const bool created = std::filesystem::exists("ab_00.vrc");
  std::filesystem::current_path(old);
  EXPECT_TRUE(created);
}

}  // namespace
}  // namespace veltrasko

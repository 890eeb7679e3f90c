// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile inputs met by the session layer: damaged and huge record files,
// folders without rights, a folder that vanishes, a disk that fills up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "export/export_writer.h"
#include "record_reading_fixture.h"
#include "session/record_file.h"
#include "session/record_reader.h"
#include "session/session_recorder.h"
#include "support/child_attempt.h"
#include "support/core_state_for_tests.h"
#include "support/session_samples.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

namespace fs = std::filesystem;
using test::AcceptedStroke;
using test::AppendFrame;
using test::Bytes;
using test::ChildOutcome;
using test::InChildWithin;
using test::InChildWithoutRoot;
using test::RecordingSinks;
using test::RecordReadingTest;
using test::TemporaryFolder;
using test::WriteWholeFile;

constexpr std::size_t FileHeadLength = 58 + 10;
constexpr std::size_t StrokeFrameLength = 38;
// No one may write it, not even its owner, so that the rights hold for a
// test running as its owner too.
constexpr fs::perms ReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;

Bytes SessionBytes(std::uint32_t strokes, std::string_view name = "Kayak") {
  PersonalData personal;
  personal.SetText(PersonNameField, name);
  Bytes bytes;
  AppendFrame(bytes, PersonalDataTag, personal.Bytes);
  AppendFrame(bytes, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  for (std::uint32_t n = 1; n <= strokes; ++n) AppendFrame(bytes, StrokeTag, AcceptedStroke(n).Bytes);
  return bytes;
}

// A temporary folder that the unprivileged child may walk into, with one
// subfolder open to all until Lock gives it the locked rights.
class RightsFolder {
 public:
  explicit RightsFolder(fs::perms lockedRights) : lockedRights_(lockedRights) {
    fs::permissions(folder_.File(""), fs::perms::all);
    fs::create_directory(Sub(""));
    fs::permissions(Sub(""), fs::perms::all);
  }
  ~RightsFolder() { fs::permissions(Sub(""), fs::perms::all); }
  void Lock() { fs::permissions(Sub(""), lockedRights_); }
  std::string Sub(std::string_view name) const { return folder_.File("sub/" + std::string(name)); }

 private:
  TemporaryFolder folder_;
  fs::perms lockedRights_;
};

class BadRecordFiles : public RecordReadingTest {};

TEST_F(BadRecordFiles, EmptyFileFolderAndGarbageCannotBeOpened) {
  std::mt19937 random(7);
  Bytes garbage(64 * 1024);
  for (std::uint8_t& byte : garbage) byte = static_cast<std::uint8_t>(random());

  reader.OpenRecordFile(WriteFile("empty.vrc", {}));
  reader.OpenRecordFile(WriteFile("garbage.vrc", garbage));
  reader.OpenRecordFile(folder.File(""));
  EXPECT_EQ(recorded.Messages(), std::vector<std::string>(3, "Could not open file!"));
  EXPECT_TRUE(core.FileStrokes().Empty());
  EXPECT_EQ(core.File().FileStrokeCount, 0u);
}

// A FIFO without a writer would hold the open forever and /dev/zero would be
// read forever: the child is cut off after its time limit if either happens.
TEST_F(BadRecordFiles, DevicesAndFifosAreRefusedAtOnce) {
  const std::string fifo = folder.File("fifo.vrc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto refused = [&] {
    reader.OpenRecordFile("/dev/zero");
    reader.OpenRecordFile(fifo);
    return recorded.Messages() == std::vector<std::string>(2, "Could not open file!");
  };
  EXPECT_EQ(InChildWithin(10, refused), ChildOutcome::Succeeded);
}

TEST_F(BadRecordFiles, FileCutAtAnyByteKeepsEveryWholeStroke) {
  const Bytes whole = SessionBytes(3);
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    const Bytes head(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    const bool opened = reader.ReadRecordFile(WriteFile("cut.vrc", head));
    ASSERT_EQ(opened, cut >= FileHeadLength) << "cut at " << cut;
    if (opened) {
      EXPECT_EQ(core.File().FileStrokeCount, (cut - FileHeadLength) / StrokeFrameLength) << "cut at " << cut;
    }
  }
}

TEST_F(BadRecordFiles, RunsOfFFBytesHideNoFrameAndDoNotSwallowTheNextOne) {
  Bytes bytes = SessionBytes(2);
  bytes.insert(bytes.end(), 50 * StrokeFrameLength, 0xFF);
  AppendFrame(bytes, StrokeTag, AcceptedStroke(3).Bytes);
  ASSERT_TRUE(reader.ReadRecordFile(WriteFile("ff.vrc", bytes)));
  std::vector<std::uint16_t> numbers;
  core.FileStrokes().ForEachRow([&](const StrokeRow& row) { numbers.push_back(row.StrokeNumber); });
  EXPECT_EQ(numbers, (std::vector<std::uint16_t>{1, 2, 3}));

  EXPECT_FALSE(reader.ReadRecordFile(WriteFile("all-ff.vrc", Bytes(100000, 0xFF))));
}

TEST_F(BadRecordFiles, SessionBehindMegabytesOfZerosIsReadToTheEnd) {
  // Sparse, so the zeros cost no disk, yet every byte of them is read; the
  // gigabyte of the same kind is measured by huge_record_bench.
  constexpr off_t EightMegabytes = off_t{8} << 20;
  const std::string path = WriteFile("huge.vrc", SessionBytes(3));
  ASSERT_EQ(::truncate(path.c_str(), EightMegabytes), 0);
  Bytes tail;
  AppendFrame(tail, SessionStartTag, EncodeSessionStart(118, 72).Bytes);
  for (std::uint16_t n = 1; n <= 2; ++n) AppendFrame(tail, StrokeTag, AcceptedStroke(n).Bytes);
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, tail.data(), tail.size()), static_cast<ssize_t>(tail.size()));
  ::close(fd);

  ASSERT_TRUE(reader.ReadRecordFile(path));
  EXPECT_EQ(core.File().FileHeader.Weight, 72);
  EXPECT_EQ(core.File().FileStrokeCount, 2u);
}

// A real path of 300 bytes, every folder of it present.
std::string DeepPath(const TemporaryFolder& folder, std::string_view leaf) {
  std::string path = folder.File("");
  while (path.size() + 51 + leaf.size() <= 300) {
    path += std::string(50, 'd') + "/";
    fs::create_directory(path);
  }
  path += std::string(300 - path.size() - leaf.size(), 'f');
  path += leaf;
  return path;
}

TEST_F(BadRecordFiles, PathsOfThreeHundredBytesAreRefusedByTheRecordNameFields) {
  const std::string recordPath = DeepPath(folder, ".vrc");
  ASSERT_EQ(recordPath.size(), 300u);
  WriteWholeFile(recordPath, SessionBytes(2));
  ASSERT_TRUE(fs::exists(recordPath));

  reader.OpenRecordFile(recordPath);
  EXPECT_EQ(recorded.Messages(), std::vector<std::string>{"Could not open file!"});

  core.ConnectionConfirmed();
  core.Savenext(recordPath);
  SessionRecorder recorder(core, sinks, [] { return CalendarDate{2024, 3, 7}; });
  Bytes start;
  AppendFrame(start, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  StreamBuffer chunk;
  FillStreamBuffer(chunk, start);
  recorder.OnBytesReceived(chunk);
  EXPECT_EQ(recorded.Messages().back(), "Error In Opening File");
  EXPECT_TRUE(core.Session().OnlineHeader.RecordFileName.View().empty());
}

TEST_F(BadRecordFiles, ExportAndPersonalDataTakePathsOfThreeHundredBytes) {
  const std::string recordPath = DeepPath(folder, ".vrc");
  WriteWholeFile(recordPath, SessionBytes(1));
  PersonalData personal;
  personal.SetText(PersonNameField, "Eva");
  EXPECT_TRUE(AppendPersonalDataFrame(recordPath, personal));
  EXPECT_EQ(fs::file_size(recordPath), FileHeadLength + StrokeFrameLength + 58);

  CoreStateForTests::FileStrokes(core).WorkingRow().Side = 0;
  CoreStateForTests::FileStrokes(core).FinishStroke(true);
  core.ShowFileGraph();
  const std::string exportPath = DeepPath(folder, ".csv");
  EXPECT_EQ(WriteExportFile(exportPath, ShownExportSource(core), UserSettings::Defaults()), ExportResult::Written);
  EXPECT_GT(fs::file_size(exportPath), 0u);
}

TEST_F(BadRecordFiles, MoreStrokesThanTheTableHoldsFillItAndStop) {
  constexpr std::uint32_t Strokes = StrokeTableCapacity + 1;
  Bytes bytes = SessionBytes(0);
  bytes.reserve(bytes.size() + Strokes * StrokeFrameLength);
  for (std::uint32_t n = 1; n <= Strokes; ++n) AppendFrame(bytes, StrokeTag, AcceptedStroke(n).Bytes);

  ASSERT_TRUE(reader.ReadRecordFile(WriteFile("day.vrc", bytes)));
  EXPECT_EQ(core.File().FileStrokeCount, StrokeTableCapacity);
  EXPECT_EQ(core.FileStrokes()[StrokeTableCapacity - 1].StrokeNumber, static_cast<std::uint16_t>(StrokeTableCapacity));
  EXPECT_EQ(recorded.LastStatus(StatusPanel::Strokes), " Strokes: 100000");
}

TEST_F(BadRecordFiles, NamesWithBytesBeyondAsciiComeBackUnchanged) {
  const std::string name = "J\xE9r\xF4me \xFF\x80";
  const std::string path = WriteFile("accents.vrc", SessionBytes(1, name));
  ASSERT_TRUE(reader.ReadRecordFile(path));
  EXPECT_EQ(core.File().FilePersonalData.PersonName(), name);
}

TEST(NoRights, RecordFileInAFolderWithoutReadRightsCannotBeOpened) {
  RightsFolder folder(fs::perms::none);
  WriteWholeFile(folder.Sub("race.vrc"), SessionBytes(2));
  fs::permissions(folder.Sub("race.vrc"), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  auto readable = [&] {
    AnalyserCore core;
    RecordingSinks recorded;
    ScreenSinks sinks = recorded.Sinks();
    RecordReader reader(core, sinks);
    reader.OpenRecordFile(folder.Sub("race.vrc"));
    return recorded.Messages().empty() && core.File().FileStrokeCount == 2;
  };
  const ChildOutcome before = InChildWithoutRoot(readable);
  if (before == ChildOutcome::CannotDropRights) GTEST_SKIP() << "cannot become the user nobody";
  ASSERT_EQ(before, ChildOutcome::Succeeded) << "the child must read an open folder";
  folder.Lock();
  EXPECT_EQ(InChildWithoutRoot(readable), ChildOutcome::Failed);
}

// One session start and one stroke from the box, recorded into `baseName`;
// the screen afterwards.
RecordingSinks RecordOneStroke(const std::string& baseName) {
  AnalyserCore core;
  core.ConnectionConfirmed();
  core.Savenext(baseName);
  RecordingSinks screen;
  ScreenSinks sinks = screen.Sinks();
  SessionRecorder recorder(core, sinks, [] { return CalendarDate{2024, 3, 7}; });
  Bytes frames;
  AppendFrame(frames, SessionStartTag, EncodeSessionStart(118, 80).Bytes);
  AppendFrame(frames, StrokeTag, AcceptedStroke(1).Bytes);
  StreamBuffer chunk;
  FillStreamBuffer(chunk, frames);
  recorder.OnBytesReceived(chunk);
  return screen;
}

TEST(NoRights, SessionInAFolderWithoutWriteRightsIsShownButNotSaved) {
  RightsFolder folder(ReadOnlyFolder);
  const std::string created = folder.Sub("race_00.vrc");
  auto saved = [&] {
    const RecordingSinks screen = RecordOneStroke(folder.Sub("race.vrc"));
    return screen.Messages().empty() && screen.Plotted.size() == 1 && fs::exists(created);
  };
  auto refusedButShown = [&] {
    const RecordingSinks screen = RecordOneStroke(folder.Sub("race.vrc"));
    return screen.Messages() == std::vector<std::string>{"Error In Opening File"} &&
           screen.LastStatus(StatusPanel::FileOrHint) == " Not saving! Could not create " + created &&
           screen.Plotted.size() == 1 && !fs::exists(created);
  };
  const ChildOutcome before = InChildWithoutRoot(saved);
  if (before == ChildOutcome::CannotDropRights) GTEST_SKIP() << "cannot become the user nobody";
  ASSERT_EQ(before, ChildOutcome::Succeeded) << "the child must write an open folder";
  fs::remove(created);
  folder.Lock();
  EXPECT_EQ(InChildWithoutRoot(refusedButShown), ChildOutcome::Succeeded);
  EXPECT_FALSE(fs::exists(created));
}

TEST(NoRights, ExportAndPersonalDataNeedWriteRights) {
  RightsFolder folder(ReadOnlyFolder);
  WriteWholeFile(folder.Sub("race.vrc"), SessionBytes(1));
  fs::permissions(folder.Sub("race.vrc"), fs::perms::all);
  auto written = [&] {
    AnalyserCore core;
    CoreStateForTests::FileStrokes(core).WorkingRow().Side = 0;
    CoreStateForTests::FileStrokes(core).FinishStroke(true);
    core.ShowFileGraph();
    const bool exported = WriteExportFile(folder.Sub("race.csv"), ShownExportSource(core), UserSettings::Defaults()) ==
                          ExportResult::Written;
    PersonalData personal;
    personal.SetText(PersonNameField, "Eva");
    const bool appended = AppendPersonalDataFrame(folder.Sub("race.vrc"), personal);
    return exported && appended;
  };
  const ChildOutcome before = InChildWithoutRoot(written);
  if (before == ChildOutcome::CannotDropRights) GTEST_SKIP() << "cannot become the user nobody";
  ASSERT_EQ(before, ChildOutcome::Succeeded) << "the child must write an open folder";
  fs::remove(folder.Sub("race.csv"));
  const std::uintmax_t recordSize = fs::file_size(folder.Sub("race.vrc"));
  fs::permissions(folder.Sub("race.vrc"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  folder.Lock();
  EXPECT_EQ(InChildWithoutRoot(written), ChildOutcome::Failed);
  EXPECT_FALSE(fs::exists(folder.Sub("race.csv")));
  EXPECT_EQ(fs::file_size(folder.Sub("race.vrc")), recordSize);
}

class HostileDisk : public ::testing::Test {
 protected:
  HostileDisk() {
    core.ConnectionConfirmed();
    core.Savenext(folder.File("sub/race.vrc"));
    fs::create_directory(folder.File("sub"));
  }
  void Deliver(const FrameTag& tag, std::span<const std::uint8_t> payload) {
    test::DeliverFrame(recorder, tag, payload);
  }
  void Reset() { Deliver(SessionStartTag, EncodeSessionStart(118, 80).Bytes); }
  void Strokes(std::uint16_t first, std::uint16_t last) {
    for (std::uint16_t n = first; n <= last; ++n) Deliver(StrokeTag, AcceptedStroke(n).Bytes);
  }

  TemporaryFolder folder;
  AnalyserCore core;
  RecordingSinks screen;
  ScreenSinks sinks = screen.Sinks();
  SessionRecorder recorder{core, sinks, [] { return CalendarDate{2024, 3, 7}; }};
};

TEST_F(HostileDisk, FolderRemovedDuringASessionIsReportedAndTheSessionStillShown) {
  Reset();
  Strokes(1, 2);
  Reset();
  ASSERT_TRUE(fs::exists(folder.File("sub/race_01.vrc")));
  fs::remove_all(folder.File("sub"));
  Strokes(1, 2);
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint),
            " Not saving! Could not write " + folder.File("sub/race_01.vrc"))
      << "strokes into a file without a name are lost and must not pass for saved";
  Reset();
  Strokes(1, 3);

  EXPECT_EQ(screen.Messages(), std::vector<std::string>{"Error In Opening File"});
  EXPECT_EQ(screen.LastStatus(StatusPanel::FileOrHint),
            " Not saving! Could not create " + folder.File("sub/race_02.vrc"));
  EXPECT_EQ(core.Session().StrokeCount, 3u);
  EXPECT_FALSE(fs::exists(folder.File("sub")));
}

TEST_F(HostileDisk, DiskFullMidSessionIsReportedOnceAndKeepsTheWholeFrames) {
  // The file size limit makes write() fail with EFBIG as a full disk would.
  constexpr rlim_t Limit = FileHeadLength + 2 * StrokeFrameLength + StrokeFrameLength / 2;
  const std::string path = folder.File("sub/race_00.vrc");
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{Limit, Limit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
    Reset();
    Strokes(1, 5);
    const std::string notice = " Not saving! Could not write " + path;
    const auto notices = std::count(screen.Log.begin(), screen.Log.end(), "status4:" + notice);
    ::_exit(notices == 1 && screen.Plotted.size() == 5 && core.Session().StrokeCount == 5 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 2) << "setrlimit failed";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failure must be shown once and the strokes still shown";
  EXPECT_EQ(fs::file_size(path), Limit);

  AnalyserCore readBack;
  RecordingSinks quiet;
  ScreenSinks quietSinks = quiet.Sinks();
  RecordReader reader(readBack, quietSinks);
  ASSERT_TRUE(reader.ReadRecordFile(path));
  EXPECT_EQ(readBack.File().FileStrokeCount, 2u);
}

}  // namespace
}  // namespace veltrasko

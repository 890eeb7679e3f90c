// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "export/export_writer.h"
#include "export/fit_activity.h"
#include "export/summary_text.h"
#include "program_identity.h"
#include "tool_fixture.h"

namespace veltrasko::test {
namespace {

class ExportTool : public ToolTest {
 protected:
  // What the window's export writes for the same file opened first thing.
  std::string WindowExport(const std::string& recordPath, const UserSettings& settings) {
    const OpenedRecord opened(recordPath, settings);
    const std::string path = File("window-export.csv");
    EXPECT_EQ(WriteExportFile(path, ShownExportSource(*opened.Core), opened.Core->Settings()), ExportResult::Written);
    return ReadWholeText(path);
  }
  // What the window's "Session summary..." copies for the same file.
  static std::string WindowSummary(const std::string& recordPath, const UserSettings& settings) {
    const OpenedRecord opened(recordPath, settings);
    return SummaryText(ShownExportSource(*opened.Core), opened.Core->Settings());
  }
  // A season folder: two good files, one cut inside its head and one
  // session without strokes, made in the folder under this test's.
  void MakeSeason(const std::string& folder) {
    std::filesystem::create_directory(File(folder));
    MakeRecord(folder + "/good_1.vrc", {"--strokes", "30", "--seed", "1"});
    MakeRecord(folder + "/good_2.vrc", {"--strokes", "40", "--seed", "2", "--sessions", "2"});
    std::filesystem::resize_file(MakeRecord(folder + "/damaged.vrc", {"--strokes", "30"}), 40);
    MakeRecord(folder + "/empty.vrc", {"--strokes", "0"});
  }
  static std::string LineAfterHeader(const std::string& text, int index) {
    std::size_t at = text.find("\n\n") + 2;
    for (int i = 0; i < index; ++i) at = text.find('\n', at) + 1;
    return text.substr(at, text.find('\n', at) - at + 1);
  }
};

TEST_F(ExportTool, DefaultsWriteNextToTheRecordFileAsTheWindowWould) {
  const std::string record = MakeRecord("run_03.vrc", {"--strokes", "50", "--seed", "4"});
  const ProcessResult result = RunExportTool({record});
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_TRUE(result.Err.empty());
  const std::string exported = ReadWholeText(File("run_03.csv"));
  EXPECT_EQ(exported, WindowExport(record, UserSettings::Defaults()));
  EXPECT_NE(exported.find("\nExported from file: " + record + "\n"), std::string::npos);
  // Comma separator, decimal dot, km/h: the settings file's defaults.
  EXPECT_EQ(LineAfterHeader(exported, 0).substr(0, 42), "Stroke count, Total dist[M], Speed[KM/H], ");
  const std::string firstStroke = LineAfterHeader(exported, 1);
  EXPECT_EQ(firstStroke.substr(0, 6), "   1, ");
  EXPECT_EQ(firstStroke.substr(firstStroke.size() - 3), ", \n");
  EXPECT_NE(firstStroke.find('.'), std::string::npos);
}

TEST_F(ExportTool, SingleByteNamesAreWrittenInUtf8AsTheWindowWritesThem) {
  // A folder name in UTF-8; name and fan resistance in Windows-1252, as record files hold them.
  const std::string record = MakeRecord("\xC3\xA5sa.vrc", {"--strokes", "10", "--name", "\xC5sa \x80", "--fan",
                                                           "\x96"
                                                           "3"});
  ASSERT_NE(ReadWholeText(record).find("\xC5sa \x80"), std::string::npos) << "the record file keeps its single bytes";
  const ProcessResult result = RunExportTool({record});
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const std::string exported = ReadWholeText(File("\xC3\xA5sa.csv"));
  EXPECT_EQ(exported, WindowExport(record, UserSettings::Defaults()));
  EXPECT_NE(exported.find("\nName: \xC3\x85sa \xE2\x82\xAC\n"), std::string::npos) << exported;
  EXPECT_NE(exported.find("\nFan resistance: \xE2\x80\x93"
                          "3\n"),
            std::string::npos)
      << exported;
  EXPECT_NE(exported.find("\nExported from file: " + record + "\n"), std::string::npos);
}

struct SymbolCase {
  std::vector<std::string> Options;
  std::uint8_t Separator;
  std::uint8_t Decimal;
  std::uint8_t Speed;
  const char* HeadingStart;
};
void PrintTo(const SymbolCase& symbols, std::ostream* out) { *out << ::testing::PrintToString(symbols.Options); }

class ExportSymbols : public ExportTool, public ::testing::WithParamInterface<SymbolCase> {};

TEST_P(ExportSymbols, EachOptionReachesTheWriter) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "30"});
  std::vector<std::string> arguments = GetParam().Options;
  arguments.insert(arguments.end(), {"-o", File("out.txt"), record});
  const ProcessResult result = RunExportTool(arguments);
  ASSERT_EQ(result.ExitCode, 0) << result.Err;

  UserSettings settings = UserSettings::Defaults();
  settings.SetSeparatorSymbol(GetParam().Separator);
  settings.SetDecimalSymbol(GetParam().Decimal);
  settings.SetSpeedUnit(static_cast<SpeedUnitCode>(GetParam().Speed));
  const std::string exported = ReadWholeText(File("out.txt"));
  EXPECT_EQ(exported, WindowExport(record, settings));
  EXPECT_EQ(LineAfterHeader(exported, 0).rfind(GetParam().HeadingStart, 0), 0u) << LineAfterHeader(exported, 0);
  EXPECT_FALSE(std::filesystem::exists(File("run.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    Options, ExportSymbols,
    ::testing::Values(SymbolCase{{"--separator", "semicolon"}, 0, 0, 1, "Stroke count; Total dist[M]; Speed[KM/H];"},
                      SymbolCase{{"--separator", "comma"}, 1, 0, 1, "Stroke count, Total dist[M], Speed[KM/H],"},
                      SymbolCase{{"--separator", "tab"}, 2, 0, 1, "Stroke count\t Total dist[M]\t Speed[KM/H]\t"},
                      SymbolCase{{"--decimal", "comma", "--separator", "semicolon"}, 0, 1, 1, "Stroke count; "},
                      SymbolCase{{"--decimal", "dot"}, 1, 0, 1, "Stroke count, "},
                      SymbolCase{{"--speed", "ms"}, 1, 0, 0, "Stroke count, Total dist[M], Speed[M/S],"},
                      SymbolCase{{"--speed", "kmh"}, 1, 0, 1, "Stroke count, Total dist[M], Speed[KM/H],"}));

TEST_F(ExportTool, DecimalCommaLeavesNoDotInTheStrokeLines) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "20"});
  ASSERT_EQ(RunExportTool({"--decimal", "comma", "--separator", "semicolon", record}).ExitCode, 0);
  const std::string exported = ReadWholeText(File("run.csv"));
  const std::string strokes = exported.substr(exported.find("Heartrate"));
  EXPECT_EQ(strokes.find('.'), std::string::npos);
  EXPECT_NE(strokes.find(','), std::string::npos);
  // The header block keeps its point: "version 1.19".
  EXPECT_NE(exported.find("veltrasko computer version 1.19\n"), std::string::npos);
}

// A 1.17 box sent the heart rate in fifths: the same strokes from a newer
// box show a fifth of the value.
TEST_F(ExportTool, OneSeventeenFileShowsItsHeartRatesTimesFive) {
  const std::string fifths = MakeRecord("old.vrc", {"--strokes", "20", "--box-version", "117"});
  const std::string plain = MakeRecord("new.vrc", {"--strokes", "20", "--box-version", "118"});
  ASSERT_EQ(RunExportTool({fifths}).ExitCode, 0);
  ASSERT_EQ(RunExportTool({plain}).ExitCode, 0);
  const std::string old = ReadWholeText(File("old.csv"));
  EXPECT_EQ(old, WindowExport(fifths, UserSettings::Defaults()));

  const auto heartRate = [](const std::string& line) {
    const std::string values = line.substr(0, line.rfind(", "));
    return std::stod(values.substr(values.rfind(", ") + 2));
  };
  const std::string newer = ReadWholeText(File("new.csv"));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_GT(heartRate(LineAfterHeader(newer, i)), 0.0) << i;
    EXPECT_DOUBLE_EQ(heartRate(LineAfterHeader(old, i)), 5 * heartRate(LineAfterHeader(newer, i))) << i;
  }
}

TEST_F(ExportTool, BadUsageExitsWithTwoAndWritesNothing) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "5"});
  const std::vector<std::vector<std::string>> bad{
      {},
      {"--separator", "colon", record},
      {"--decimal", record},
      {"--speed", "mph", record},
      {"--verbose", record},
      {"-o"},
      {"-o", "out.csv", record, record},
      {"-o", "out.csv", "-d", "out", record},
      {"-d", "", record},
      {"--format", "gpx", record},
      {"--start", "2024-03-07T09:30:00", record},
      {"--format", "fit", "--start", "2024-03-07", record},
  };
  for (const auto& arguments : bad) {
    const ProcessResult result = RunExportTool(arguments);
    EXPECT_EQ(result.ExitCode, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(result.Err.find("usage: veltrasko-export"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(File("run.csv")));
  EXPECT_FALSE(std::filesystem::exists(File("run.fit")));
  EXPECT_EQ(RunExportTool({"--help"}).ExitCode, 0);
}

TEST_F(ExportTool, FitFormatWritesTheActivityFromTheGivenStart) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "30"});
  const ProcessResult result = RunExportTool({"--format=fit", "--start=2024-03-07T09:30:00", record});
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const OpenedRecord opened(record);
  const std::string path = File("in-process.fit");
  ASSERT_TRUE(
      WriteFitExport(path, ShownExportSource(*opened.Core), ParseStartTime("2024-03-07T09:30:00"), VELTRASKO_VERSION));
  EXPECT_EQ(ReadWholeFile(File("run.fit")), ReadWholeFile(path));
  EXPECT_FALSE(std::filesystem::exists(File("run.csv")));
}

TEST_F(ExportTool, UnreadableRecordFilesExitWithThree) {
  const std::string noStart = MakeRecord("nostart.vrc", {"--strokes", "5", "--bad-session-start"});
  for (const std::string& record : {File("missing.vrc"), noStart}) {
    const ProcessResult result = RunExportTool({record});
    EXPECT_EQ(result.ExitCode, 3) << record;
    EXPECT_EQ(result.Err, "Could not open file!\n");
  }
  EXPECT_FALSE(std::filesystem::exists(File("missing.csv")));
  EXPECT_FALSE(std::filesystem::exists(File("nostart.csv")));
}

// Run under timeout(1): a tool that waits for a FIFO's writer or reads
// /dev/zero forever is ended and fails the test instead of holding it.
TEST_F(ExportTool, DevicesAndFifosExitWithThreeAtOnce) {
  const std::string fifo = File("fifo.vrc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& record : {std::string("/dev/zero"), fifo}) {
    const ProcessResult result =
        RunProcess("/usr/bin/timeout", {"20", ToolPath("VELTRASKO_EXPORT"), "-o", File("out.csv"), record}, File(""));
    EXPECT_EQ(result.ExitCode, 3) << record;
    EXPECT_EQ(result.Err, "Could not open file!\n");
  }
  EXPECT_FALSE(std::filesystem::exists(File("out.csv")));
}

TEST_F(ExportTool, AnOutputThatCannotBeWrittenExitsWithFour) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "5"});
  const std::string before = ReadWholeText(record);
  const ProcessResult noFolder = RunExportTool({"-o", File("gone/out.csv"), record});
  EXPECT_EQ(noFolder.ExitCode, 4);
  EXPECT_NE(noFolder.Err.find("gone/out.csv"), std::string::npos);

  const ProcessResult itself = RunExportTool({"-o", record, record});
  EXPECT_EQ(itself.ExitCode, 4);
  EXPECT_FALSE(itself.Err.empty());
  EXPECT_EQ(ReadWholeText(record), before);
}

TEST_F(ExportTool, ASessionWithoutStrokesExitsWithFiveAndNoFile) {
  const std::string record = MakeRecord("empty.vrc", {"--strokes", "0"});
  const ProcessResult result = RunExportTool({record});
  EXPECT_EQ(result.ExitCode, 5);
  EXPECT_EQ(result.Err, "No data available for export!\n");
  EXPECT_FALSE(std::filesystem::exists(File("empty.csv")));
}

TEST_F(ExportTool, ARecordFileNotEndingInVrcIsNeverReplaced) {
  const std::string record = MakeRecord("session.csv", {"--strokes", "5"});
  const std::string before = ReadWholeText(record);
  ASSERT_EQ(RunExportTool({record}).ExitCode, 0);
  EXPECT_EQ(ReadWholeText(record), before);
  EXPECT_TRUE(std::filesystem::exists(File("session.csv.csv")));
}

TEST_F(ExportTool, BatchExportsEveryReadableFileReportsEachAndExitsWithTheWorst) {
  MakeSeason("season");
  const std::string season = File("season") + "/";
  const ProcessResult folder = RunExportTool({"-d", "out", File("season")});
  EXPECT_EQ(folder.ExitCode, 3) << folder.Err;
  EXPECT_EQ(folder.Err, season + "damaged.vrc: Could not open file!\n" +             //
                            season + "empty.vrc: No data available for export!\n" +  //
                            season + "good_1.vrc: written out/good_1.csv\n" +        //
                            season + "good_2.vrc: written out/good_2.csv\n" +
                            "veltrasko-export: 2 of 4 record files done\n");
  for (const std::string name : {"good_1", "good_2"}) {
    EXPECT_EQ(ReadWholeText(File("out/" + name + ".csv")),
              WindowExport(season + name + ".vrc", UserSettings::Defaults()))
        << name;
  }
  EXPECT_FALSE(std::filesystem::exists(File("out/damaged.csv")));
  EXPECT_FALSE(std::filesystem::exists(File("out/empty.csv")));

  // FIT files in batch are those of one file at a time.
  const ProcessResult fit = RunExportTool({"--format", "fit", "-d", "fit", File("season")});
  EXPECT_EQ(fit.ExitCode, 3);
  EXPECT_NE(fit.Err.find(season + "good_1.vrc: written fit/good_1.fit\n"), std::string::npos) << fit.Err;
  ASSERT_EQ(RunExportTool({"--format", "fit", "season/good_2.vrc"}).ExitCode, 0);
  EXPECT_EQ(ReadWholeFile(File("fit/good_2.fit")), ReadWholeFile(File("season/good_2.fit")));

  // Files named one by one go next to themselves; no stroke is the mildest failure.
  const ProcessResult named = RunExportTool({"season/empty.vrc", "season/good_1.vrc"});
  EXPECT_EQ(named.ExitCode, 5);
  EXPECT_TRUE(std::filesystem::exists(File("season/good_1.csv")));

  // A file of the same name from another folder never replaces the first one's output.
  std::filesystem::create_directory(File("other"));
  MakeRecord("other/good_1.vrc", {"--strokes", "5"});
  const ProcessResult clash = RunExportTool({"-d", "again", "season/good_1.vrc", "other/good_1.vrc"});
  EXPECT_EQ(clash.ExitCode, 4);
  EXPECT_NE(clash.Err.find("other/good_1.vrc: again/good_1.csv is the output of an earlier record file"),
            std::string::npos)
      << clash.Err;
  EXPECT_EQ(ReadWholeFile(File("again/good_1.csv")), ReadWholeFile(File("season/good_1.csv")));

  // Nor does an output replace a record file of the same call that is still to be read.
  const std::string late = MakeRecord("late.csv", {"--strokes", "5"});
  const std::string lateBytes = ReadWholeText(late);
  MakeRecord("late.vrc", {"--strokes", "5"});
  EXPECT_EQ(RunExportTool({"late.vrc", "late.csv"}).ExitCode, 4);
  EXPECT_EQ(ReadWholeText(late), lateBytes);
  EXPECT_TRUE(std::filesystem::exists(File("late.csv.csv")));

  const ProcessResult noRecords = RunExportTool({"out"});
  EXPECT_EQ(noRecords.ExitCode, 3);
  EXPECT_NE(noRecords.Err.find("out: no *.vrc record file in the folder"), std::string::npos);
}

TEST_F(ExportTool, SummaryOfEveryFileGoesToStandardOutputOrToFiles) {
  MakeSeason("season");
  const UserSettings defaults = UserSettings::Defaults();
  const std::string good1 = File("season/good_1.vrc");
  const std::string good2 = File("season/good_2.vrc");
  const ProcessResult single = RunExportTool({"--summary", good2});
  ASSERT_EQ(single.ExitCode, 0) << single.Err;
  EXPECT_TRUE(single.Err.empty());
  EXPECT_EQ(single.Out, WindowSummary(good2, defaults));
  EXPECT_NE(single.Out.find("\nSession 2\n"), std::string::npos);

  UserSettings comma = defaults;
  comma.SetDecimalSymbol(1);
  const ProcessResult batch = RunExportTool({"--summary", "--decimal", "comma", File("season")});
  EXPECT_EQ(batch.ExitCode, 3);
  EXPECT_EQ(batch.Out, WindowSummary(good1, comma) + "\n" + WindowSummary(good2, comma));
  EXPECT_NE(batch.Err.find("/season/damaged.vrc: Could not open file!\n"), std::string::npos);
  EXPECT_NE(batch.Err.find("/season/good_2.vrc: summary written to standard output\n"), std::string::npos);

  ASSERT_EQ(RunExportTool({"--summary", "-o", "all.txt", good1, good2}).ExitCode, 0);
  EXPECT_EQ(ReadWholeText(File("all.txt")), WindowSummary(good1, defaults) + "\n" + WindowSummary(good2, defaults));
  const std::string good2Bytes = ReadWholeText(good2);
  EXPECT_EQ(RunExportTool({"--summary", "-o", good2, good1, good2}).ExitCode, 4);
  EXPECT_EQ(ReadWholeText(good2), good2Bytes);
  ASSERT_EQ(RunExportTool({"--summary", "-d", "sums", good2}).ExitCode, 0);
  EXPECT_EQ(ReadWholeText(File("sums/good_2.summary.txt")), WindowSummary(good2, defaults));
}

TEST_F(ExportTool, ValuesAfterEqualsSignsAndADashFileAfterTheEndOfTheOptions) {
  ASSERT_EQ(RunVrcgen({"--strokes=20", "--", "-run.vrc"}).ExitCode, 0);
  const ProcessResult joined =
      RunExportTool({"--separator=semicolon", "--speed=ms", "--output=joined.csv", "--", "-run.vrc"});
  ASSERT_EQ(joined.ExitCode, 0) << joined.Err;
  ASSERT_EQ(RunExportTool({"--separator", "semicolon", "--speed", "ms", "-o", "apart.csv", "--", "-run.vrc"}).ExitCode,
            0);
  EXPECT_EQ(ReadWholeText(File("joined.csv")), ReadWholeText(File("apart.csv")));
  EXPECT_NE(ReadWholeText(File("joined.csv")).find(';'), std::string::npos);

  const ProcessResult withoutEnd = RunExportTool({"-run.vrc"});
  EXPECT_EQ(withoutEnd.ExitCode, 2);
  EXPECT_NE(withoutEnd.Err.find("unknown option -r"), std::string::npos) << withoutEnd.Err;
  EXPECT_NE(RunExportTool({"--output"}).Err.find("--output needs a value"), std::string::npos);

  const ProcessResult version = RunExportTool({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, "veltrasko-export " VELTRASKO_VERSION "\n");
}

}  // namespace
}  // namespace veltrasko::test

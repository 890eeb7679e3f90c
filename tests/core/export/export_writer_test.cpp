// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/utf8_text.h"
#include "support/core_state_for_tests.h"
#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

namespace fs = std::filesystem;

// The stroke line as the C library formats it: the reference the writer's
// own formatting must match byte for byte.
constexpr const char* StrokeFormat =
    "%4d; %7.2lf; %7.3lf; %7.2lf; %7.3lf; %7.2lf; %7.1lf; %7.1lf; %8.3lf; %8.3lf; %8.3lf; %8.2lf; %8.3lf; "
    "%8.3lf; %4.0f; \n";

std::string ReferenceLine(const StrokeRow& row, const StrokeRow& first, bool kilometresPerHour) {
  char text[1024];
  const double speed = static_cast<double>(row.Speed) * (kilometresPerHour ? static_cast<double>(3.6f) : 1.0);
  const double clock =
      static_cast<double>(row.ClockTime) - static_cast<double>(first.ClockTime) + static_cast<double>(first.PaddleTime);
  const int n =
      std::snprintf(text, sizeof text, StrokeFormat, row.StrokeNumber, double{row.TotalDistance}, speed,
                    double{row.StrokeDistance}, double{row.Power}, double{row.Work}, double{row.StrokeRate},
                    double{row.WaterPercent}, double{row.StrokeTime}, double{row.WaterDistance}, double{row.AirTime},
                    double{row.TotalWork}, double{row.PaddleTime}, clock, double{row.HeartRate});
  return std::string(text, static_cast<std::size_t>(n));
}

StrokeRow ExampleRow(std::uint16_t number, float clockTime, float paddleTime) {
  StrokeRow row;
  row.Side = 1;
  row.StrokeNumber = number;
  row.StrokeSpan = 1;
  row.TotalDistance = 12.5f;
  row.Speed = 4.0f;
  row.StrokeDistance = 8.25f;
  row.Power = 150.5f;
  row.Work = 300.75f;
  row.StrokeRate = 60.5f;
  row.WaterPercent = 55.5f;
  row.StrokeTime = 1.25f;
  row.WaterDistance = 4.5f;
  row.AirTime = 0.375f;
  row.TotalWork = 1234.5f;
  row.PaddleTime = paddleTime;
  row.ClockTime = clockTime;
  row.HeartRate = 140.0f;
  return row;
}

void Append(StrokeTable& table, const StrokeRow& row) {
  table.WorkingRow() = row;
  table.FinishStroke(true);
}

UserSettings Symbols(std::uint8_t separator, std::uint8_t decimal, std::uint8_t speedUnit) {
  UserSettings settings = UserSettings::Defaults();
  settings.SetSeparatorSymbol(separator);
  settings.SetDecimalSymbol(decimal);
  settings.SetSpeedUnit(static_cast<SpeedUnitCode>(speedUnit));
  return settings;
}

constexpr std::string_view HeadingMs =
    "Stroke count; Total dist[M]; Speed[M/S]; Stroke dist[M]; Power[W]; Work[J]; Stroke rate[st/min]; Water %; "
    "Stroke time[sec]; Water dist[M]; Air time[sec]; Total work[J]; Paddle time[sec]; Clock time[sec]; "
    "Heartrate[st/min];\n";

class ExportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (folder_ / "run_03.csv").string();
    table_.MarkEmpty();
    personal_.SetText(PersonNameField, "Ann Example");
    personal_.SetText(FanResistanceField, "5");
    personal_.SetText(WeightTextField, "80");
    personal_.SetText(SessionDateField, "3-7-2024");
  }

  ExportSource Source(std::int16_t boxVersion = 117) const {
    return {table_, boxVersion, 80, "c:\\data\\run_03.vrc", personal_};
  }
  std::string Export(const UserSettings& settings, std::int16_t boxVersion = 117) const {
    EXPECT_EQ(WriteExportFile(path_, Source(boxVersion), settings), ExportResult::Written);
    return FileText();
  }
  std::string FileText() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the file ends with a line feed";
    return lines;
  }

  const test::TemporaryFolder temporary_;
  const fs::path folder_ = temporary_.Path();
  std::string path_;
  StrokeTable table_;
  PersonalData personal_;
};

constexpr std::string_view ExampleHeader =
    "Veltrasko Analyser\nName: Ann Example\nWeight: 80\nFan resistance: 5\nSession date [m-d-yyyy]: 3-7-2024\n"
    "Exported from file: c:\\data\\run_03.vrc\nveltrasko computer version 1.18\n\n";

TEST_F(ExportWriterTest, SemicolonsDotAndMetresPerSecondAsWritten) {
  Append(table_, ExampleRow(7, 1000.0f, 2.5f));
  Append(table_, ExampleRow(8, 1010.0f, 5.0f));
  const std::string expected =
      std::string(ExampleHeader) + std::string(HeadingMs) +
      "   7;   12.50;   4.000;    8.25; 150.500;  300.75;    60.5;    55.5;    1.250;    4.500;    0.375;  "
      "1234.50;    2.500;    2.500;  140; \n"
      "   8;   12.50;   4.000;    8.25; 150.500;  300.75;    60.5;    55.5;    1.250;    4.500;    0.375;  "
      "1234.50;    5.000;   12.500;  140; \n";
  EXPECT_EQ(Export(Symbols(0, 0, 0)), expected);
}

TEST_F(ExportWriterTest, DefaultSettingsUseCommasDotsAndKilometresPerHour) {
  Append(table_, ExampleRow(7, 1000.0f, 2.5f));
  const std::string text = Export(UserSettings::Defaults());
  const std::string expected =
      std::string(ExampleHeader) +
      "Stroke count, Total dist[M], Speed[KM/H], Stroke dist[M], Power[W], Work[J], Stroke rate[st/min], Water %, "
      "Stroke time[sec], Water dist[M], Air time[sec], Total work[J], Paddle time[sec], Clock time[sec], "
      "Heartrate[st/min],\n"
      "   7,   12.50,  14.400,    8.25, 150.500,  300.75,    60.5,    55.5,    1.250,    4.500,    0.375,  "
      "1234.50,    2.500,    2.500,  140, \n";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(ExportWriterTest, DecimalCommaKeepsSemicolons) {
  Append(table_, ExampleRow(7, 1000.0f, 2.5f));
  const std::vector<std::string> lines = Lines(Export(Symbols(0, 1, 0)));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[6], "veltrasko computer version 1.18") << "the header keeps its decimal point";
  EXPECT_EQ(lines[9],
            "   7;   12,50;   4,000;    8,25; 150,500;  300,75;    60,5;    55,5;    1,250;    4,500;    0,375;  "
            "1234,50;    2,500;    2,500;  140; ");
}

TEST_F(ExportWriterTest, TabSeparatorKeepsTheBlankAfterIt) {
  Append(table_, ExampleRow(7, 1000.0f, 2.5f));
  const std::vector<std::string> lines = Lines(Export(Symbols(2, 0, 0)));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[8].substr(0, 28), "Stroke count\t Total dist[M]\t");
  EXPECT_EQ(lines[9].substr(0, 15), "   7\t   12.50\t ");
  EXPECT_EQ(lines[9].substr(lines[9].size() - 6), " 140\t ");
  EXPECT_EQ(lines[9].find(';'), std::string::npos);
}

TEST_F(ExportWriterTest, BoxVersionGetsOneHundredthUpTo121) {
  Append(table_, ExampleRow(1, 0, 0));
  const std::pair<std::int16_t, std::string> cases[] = {{117, "1.18"}, {120, "1.21"}, {121, "1.22"},
                                                        {122, "1.22"}, {170, "1.70"}, {0, "0.01"}};
  for (const auto& [stored, printed] : cases)
    EXPECT_EQ(Lines(Export(Symbols(0, 1, 0), stored))[6], "veltrasko computer version " + printed) << stored;
}

TEST_F(ExportWriterTest, EmptyPersonalDataStillWritesEveryHeaderLine) {
  personal_ = PersonalData{};
  table_.MarkEmpty();
  const std::string text = Export(UserSettings::Defaults(), 122);
  EXPECT_TRUE(text.starts_with(
      "Veltrasko Analyser\nName: \nWeight: 80\nFan resistance: \nSession date [m-d-yyyy]: \nExported from file: "
      "c:\\data\\run_03.vrc\nveltrasko computer version 1.22\n\nStroke count,"))
      << text;
  EXPECT_EQ(Lines(text).size(), 9u) << "header block and heading line, no strokes";
}

TEST_F(ExportWriterTest, HeaderIsUtf8ThroughoutWhateverTheRecordFileHolds) {
  // Windows-1252 as record files hold it: o-umlaut, euro, an undefined byte, an en dash.
  personal_.SetText(PersonNameField, "J\xF6rg \x80\x81");
  personal_.SetText(FanResistanceField,
                    "\x96"
                    "5");
  const PersonalData stored = personal_;
  // A path in UTF-8 with one stray Latin-1 byte, and an overlong slash.
  const ExportSource source{table_, 117, 80, "/data/\xC3\xA5sa/run\xE9_\xC0\xAF.vrc", personal_};
  ASSERT_EQ(WriteExportFile(path_, source, UserSettings::Defaults()), ExportResult::Written);
  const std::string text = FileText();
  EXPECT_NE(text.find("\nName: J\xC3\xB6rg \xE2\x82\xAC\xC2\x81\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nFan resistance: \xE2\x80\x93"
                      "5\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nExported from file: /data/\xC3\xA5sa/run\xEF\xBF\xBD_\xEF\xBF\xBD\xEF\xBF\xBD.vrc\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(personal_, stored) << "the texts in memory keep their single bytes";
}

TEST_F(ExportWriterTest, ExportingTwiceGivesTheSameFile) {
  for (std::uint16_t n = 1; n <= 50; ++n) Append(table_, ExampleRow(n, 100.0f + n * 1.7f, n * 1.3f));
  const std::string first = Export(UserSettings::Defaults());
  EXPECT_EQ(Export(UserSettings::Defaults()), first);
}

TEST_F(ExportWriterTest, StrokeLinesMatchTheCLibraryForAwkwardValues) {
  // Values around rounding ties, negatives, tiny and huge numbers, zeros.
  const float values[] = {0.0f,      -0.0f,    0.005f, 0.0049999f, 1.0005f,   -1.25f,  2.5f,  3.5f,
                          999.9995f, 1e-7f,    -1e-7f, 12345.678f, 99999.99f, 1e9f,    -3e7f, 0.125f,
                          1e20f,     -0.0625f, 0.375f, 7.77777f,   100000.5f, 3.4e38f, 65.5f, 4.4999f};
  std::vector<StrokeRow> rows;
  std::uint16_t number = 0;
  for (float v : values) {
    StrokeRow row = ExampleRow(++number, v, v * 0.5f);
    row.TotalDistance = v;
    row.Speed = v;
    row.Power = -v;
    row.StrokeRate = v * 3;
    row.WaterPercent = v / 7;
    row.StrokeTime = v;
    row.TotalWork = v * 11;
    row.HeartRate = v;
    rows.push_back(row);
    Append(table_, row);
  }
  for (bool kmh : {false, true}) {
    const std::vector<std::string> lines = Lines(Export(Symbols(0, 0, kmh ? 1 : 0)));
    ASSERT_EQ(lines.size(), 9 + rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
      EXPECT_EQ(lines[9 + i] + "\n", ReferenceLine(rows[i], rows[0], kmh)) << "row " << i;
  }
}

TEST_F(ExportWriterTest, FullTableWritesAHundredThousandRows) {
  for (std::uint32_t n = 0; n <= StrokeTableCapacity; ++n)
    Append(table_, ExampleRow(static_cast<std::uint16_t>(n + 1), static_cast<float>(n), static_cast<float>(n)));
  ASSERT_EQ(table_.Count(), StrokeTableCapacity);
  const std::vector<std::string> lines = Lines(Export(UserSettings::Defaults()));
  ASSERT_EQ(lines.size(), 9 + StrokeTableCapacity);
  EXPECT_EQ(lines.back().substr(0, 6), "34464,") << "stroke numbers wrap at 16 bits";
}

TEST_F(ExportWriterTest, FileThatCannotBeCreatedOrWrittenIsReported) {
  Append(table_, ExampleRow(1, 0, 0));
  EXPECT_EQ(WriteExportFile((folder_ / "gone" / "x.csv").string(), Source(), UserSettings::Defaults()),
            ExportResult::NotCreated);
  EXPECT_FALSE(fs::exists(folder_ / "gone"));
  if (fs::exists("/dev/full")) {
    EXPECT_EQ(WriteExportFile("/dev/full", Source(), UserSettings::Defaults()), ExportResult::NotWritten)
        << "a full disk";
  }
}

TEST_F(ExportWriterTest, ExistingFileIsReplaced) {
  {
    std::ofstream old(path_, std::ios::binary);
    old << std::string(100000, 'x');
  }
  Append(table_, ExampleRow(7, 1000.0f, 2.5f));
  const std::string text = Export(Symbols(0, 0, 0));
  EXPECT_EQ(text.substr(0, 18), "Veltrasko Analyser");
  EXPECT_EQ(text.find("xx"), std::string::npos);
}

TEST(ExportSymbolsTest, RewritesInPlaceInOrder) {
  auto rewrite = [](std::string line, std::uint8_t separator, std::uint8_t decimal) {
    ApplyExportSymbols(line.data(), line.size(), Symbols(separator, decimal, 0));
    return line;
  };
  const std::string line = "  1.5; 2.25; \n";
  EXPECT_EQ(rewrite(line, 0, 0), line);
  EXPECT_EQ(rewrite(line, 1, 0), "  1.5, 2.25, \n");
  EXPECT_EQ(rewrite(line, 2, 0), "  1.5\t 2.25\t \n");
  EXPECT_EQ(rewrite(line, 0, 1), "  1,5; 2,25; \n");
  EXPECT_EQ(rewrite(line, 2, 1), "  1,5\t 2,25\t \n");
  EXPECT_EQ(rewrite(line, 1, 1), "  1,5, 2,25, \n") << "decimal and separating commas alike";
  EXPECT_EQ(rewrite(line, 3, 0), line) << "an unknown separator code leaves the semicolons";
  std::string partial = "1.5;1.5;";
  ApplyExportSymbols(partial.data(), 4, Symbols(1, 1, 0));
  EXPECT_EQ(partial, "1,5,1.5;") << "only the given length is rewritten";
}

TEST(ValidUtf8Test, KeepsWellFormedCharactersAndReplacesEveryOtherByte) {
  const std::string bad = "\xEF\xBF\xBD";
  EXPECT_EQ(ValidUtf8("kayak \xF0\x9F\x9A\xA3 \xE2\x82\xAC"), "kayak \xF0\x9F\x9A\xA3 \xE2\x82\xAC");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), bad + bad + bad) << "a surrogate";
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), bad + bad + bad + bad) << "beyond U+10FFFF";
  EXPECT_EQ(ValidUtf8("a\xE2\x82"), "a" + bad + bad) << "cut at the end";
  EXPECT_EQ(ValidUtf8("\xE2\x82"
                      "b"),
            bad + bad + "b")
      << "cut before a plain byte";
}

TEST(ProposedExportNameTest, DropsTheExtension) {
  EXPECT_EQ(ProposedExportName("c:\\data\\run_03.vrc"), "c:\\data\\run_03");
  EXPECT_EQ(ProposedExportName("/home/ann/run_03.vrc"), "/home/ann/run_03");
  EXPECT_EQ(ProposedExportName(".vrc"), "");
  EXPECT_EQ(ProposedExportName("abc"), "");
  EXPECT_EQ(ProposedExportName(""), "");
}

TEST(ShownExportSourceTest, FollowsTheViewShown) {
  auto core = std::make_unique<AnalyserCore>();
  Append(CoreStateForTests::FileStrokes(*core), ExampleRow(1, 0, 0));
  CoreStateForTests::Session(*core).OnlineHeader.BoxVersion = 118;
  CoreStateForTests::Session(*core).OnlineHeader.Weight = 70;
  CoreStateForTests::Session(*core).OnlineHeader.RecordFileName.Assign("/live/run_00.vrc");
  CoreStateForTests::Session(*core).OnlinePersonalData.SetText(PersonNameField, "Live");
  CoreStateForTests::File(*core).FileHeader.BoxVersion = 130;
  CoreStateForTests::File(*core).FileHeader.Weight = 90;
  CoreStateForTests::File(*core).FileHeader.FileName.Assign("/old/run_07.vrc");
  CoreStateForTests::File(*core).FilePersonalData.SetText(PersonNameField, "File");

  core->ShowOnlineGraph();
  const ExportSource online = ShownExportSource(*core);
  EXPECT_EQ(&online.Strokes, &core->OnlineStrokes());
  EXPECT_TRUE(online.Strokes.Empty()) << "no live strokes even though the file view holds some";
  EXPECT_EQ(online.BoxVersion, 118);
  EXPECT_EQ(online.Weight, 70);
  EXPECT_EQ(online.RecordFilePath, "/live/run_00.vrc");
  EXPECT_EQ(online.Personal.PersonName(), "Live");

  core->ShowFileGraph();
  const ExportSource file = ShownExportSource(*core);
  EXPECT_EQ(&file.Strokes, &core->FileStrokes());
  EXPECT_EQ(file.BoxVersion, 130);
  EXPECT_EQ(file.Weight, 90);
  EXPECT_EQ(file.RecordFilePath, "/old/run_07.vrc");
  EXPECT_EQ(file.Personal.PersonName(), "File");
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser's command line: answers without a window, the usage for a bad
// option, and the one record file passed on byte for byte.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <vector>

#include "program_identity.h"

namespace veltrasko {
namespace {

AnalyserCommandLine Read(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "veltrasko-analyser");
  return ReadAnalyserCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(AnalyserCommandLine, TheRecordFileIsPassedOnByteForByte) {
  EXPECT_FALSE(Read({}).ExitCode);
  EXPECT_TRUE(Read({}).RecordPath.isEmpty());
  EXPECT_EQ(Read({"race_00.vrc"}).RecordPath, "race_00.vrc");
  // Not valid UTF-8: the file system still gets the very bytes.
  EXPECT_EQ(Read({"r\xe9gate.vrc"}).RecordPath, "r\xe9gate.vrc");
  EXPECT_EQ(Read({"--", "-minus.vrc"}).RecordPath, "-minus.vrc");
  EXPECT_EQ(Read({"--", "--"}).RecordPath, "--");
  EXPECT_EQ(Read({"-"}).RecordPath, "-");
  // Only the first file counts, as it always did.
  EXPECT_EQ(Read({"a.vrc", "b.vrc"}).RecordPath, "a.vrc");
}

TEST(AnalyserCommandLine, AnUnknownOptionEndsWithTheUsage) {
  for (const char* option : {"-minus.vrc", "--frobnicate", "-platform"}) {
    const AnalyserCommandLine read = Read({option, "race.vrc"});
    EXPECT_EQ(read.ExitCode, 2) << option;
    EXPECT_TRUE(read.Output.contains("Usage:")) << option;
    EXPECT_TRUE(read.RecordPath.isEmpty());
  }
}

// Run as a real process without a display: no window may be needed.
TEST(AnalyserCommandLine, HelpAndVersionGoToStandardOutputWithoutADisplay) {
  const auto run = [](const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(VELTRASKO_ANALYSER, arguments);
    EXPECT_TRUE(process.waitForFinished(10000));
    return std::tuple(process.exitCode(), QString(process.readAllStandardOutput()),
                      QString(process.readAllStandardError()));
  };
  const auto [versionCode, version, versionErrors] = run({"--version"});
  EXPECT_EQ(versionCode, 0);
  EXPECT_EQ(version, "veltrasko-analyser " VELTRASKO_VERSION "\n");
  EXPECT_EQ(versionErrors, "");

  const auto [helpCode, help, helpErrors] = run({"--help"});
  EXPECT_EQ(helpCode, 0);
  EXPECT_TRUE(help.contains("--version")) << help.toStdString();
  EXPECT_TRUE(help.contains("[--] [file]")) << help.toStdString();

  const auto [badCode, badOut, usage] = run({"--frobnicate"});
  EXPECT_EQ(badCode, 2);
  EXPECT_EQ(badOut, "");
  EXPECT_TRUE(usage.contains("Unknown option 'frobnicate'")) << usage.toStdString();
}

}  // namespace
}  // namespace veltrasko

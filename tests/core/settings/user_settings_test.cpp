// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/user_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temporary_folder.h"

namespace veltrasko {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const Bytes DefaultFileBytes{0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0x3C,
                             0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x04, 0x00, 0x01, 0x00};

class UserSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = (folder_ / "user_settings.bin").string(); }

  void WriteFile(const Bytes& bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  fs::file_time_type::duration::rep ModificationTicks() const {
    return fs::last_write_time(path_).time_since_epoch().count();
  }
  // The default bytes with one byte changed.
  static Bytes DefaultsWith(std::size_t offset, std::uint8_t value) {
    Bytes bytes = DefaultFileBytes;
    bytes[offset] = value;
    return bytes;
  }
  // Loads a file holding the given bytes; the settings in memory afterwards.
  UserSettings Load(const Bytes& bytes) {
    WriteFile(bytes);
    UserSettings settings;
    SettingsFile(path_).LoadSettings(settings);
    return settings;
  }

  const test::TemporaryFolder temporary_;
  const fs::path folder_ = temporary_.Path();
  std::string path_;
};

TEST_F(UserSettingsTest, FirstStartCreatesTheDefaultFile) {
  UserSettings settings;
  EXPECT_FALSE(SettingsFile(path_).LoadSettings(settings));
  EXPECT_EQ(settings, UserSettings::Defaults());
  EXPECT_EQ(FileBytes(), DefaultFileBytes);
}

// Another user who could write the folder might have put the link there.
TEST_F(UserSettingsTest, LinkInPlaceOfTheFileIsReplacedAndNeverWrittenThrough) {
  const fs::path thesis = folder_ / "thesis.odt";
  std::ofstream(thesis) << "three years of work";
  fs::create_symlink(thesis, path_);
  UserSettings settings;
  SettingsFile(path_).LoadSettings(settings);
  EXPECT_FALSE(fs::is_symlink(path_));
  EXPECT_EQ(FileBytes(), DefaultFileBytes);
  std::ifstream kept(thesis);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "three years of work");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2) << "a temporary file was left";
}

TEST_F(UserSettingsTest, ShortFileIsTreatedAsMissing) {
  Bytes shortFile = DefaultsWith(SettingsOffset::SpeedUnit, 0);
  shortFile[SettingsOffset::OnlineWindowDistance] = 0x10;
  shortFile.pop_back();
  UserSettings settings;
  EXPECT_FALSE(SettingsFile(path_).ReadSettingsFile(settings));
  WriteFile(shortFile);
  EXPECT_FALSE(SettingsFile(path_).ReadSettingsFile(settings));
  EXPECT_EQ(settings, UserSettings()) << "a short file must not leave part of itself in force";

  EXPECT_EQ(Load(shortFile), UserSettings::Defaults());
  EXPECT_EQ(FileBytes(), DefaultFileBytes);
}

TEST_F(UserSettingsTest, LongerFileIsReadAndKeptWhenValid) {
  Bytes longFile = DefaultsWith(SettingsOffset::OnlineWindowDistance, 0x2C);  // 300 m
  longFile[SettingsOffset::OnlineWindowDistance + 1] = 0x01;
  longFile.insert(longFile.end(), {1, 2, 3, 4, 5, 6, 7, 8});
  const UserSettings settings = Load(longFile);
  EXPECT_EQ(settings.OnlineWindowDistance(), 300);
  EXPECT_EQ(FileBytes(), longFile);
}

TEST_F(UserSettingsTest, ValidFileIsNotRewritten) {
  WriteFile(DefaultFileBytes);
  const auto before = ModificationTicks();
  fs::last_write_time(path_, fs::last_write_time(path_) - std::chrono::hours(1));
  const auto aged = ModificationTicks();
  ASSERT_NE(before, aged);
  UserSettings settings;
  SettingsFile(path_).LoadSettings(settings);
  EXPECT_EQ(ModificationTicks(), aged);
}

TEST_F(UserSettingsTest, RepairRewritesTheFileOnceWithAllFieldsFixed) {
  Bytes bad = DefaultFileBytes;
  bad[SettingsOffset::LineWidthLevel] = 0;
  bad[SettingsOffset::AverageFilter] = 5;
  bad[SettingsOffset::ViewAll] = 1;  // valid, must survive
  bad.resize(30, 0xEE);
  const UserSettings settings = Load(bad);
  EXPECT_EQ(settings.LineWidthLevel(), 2);
  EXPECT_EQ(settings.AverageFilter(), 4);
  EXPECT_EQ(settings.ViewAll(), 1);
  Bytes expected = DefaultFileBytes;
  expected[SettingsOffset::ViewAll] = 1;
  EXPECT_EQ(FileBytes(), expected) << "the repaired file holds exactly the 22 bytes";
}

TEST_F(UserSettingsTest, WindowLengthsOutsideTheirRangeAreReplaced) {
  auto withDistance = [](std::uint32_t metres) {
    Bytes bytes = DefaultFileBytes;
    WriteU32(bytes, SettingsOffset::OnlineWindowDistance, metres);
    return bytes;
  };
  EXPECT_EQ(Load(withDistance(0)).OnlineWindowDistance(), 250);
  EXPECT_EQ(Load(withDistance(1000000)).OnlineWindowDistance(), 250);
  EXPECT_EQ(Load(withDistance(0xFFFFFFFF)).OnlineWindowDistance(), 250);  // -1
  EXPECT_EQ(FileBytes(), DefaultFileBytes);
  EXPECT_EQ(Load(withDistance(1)).OnlineWindowDistance(), 1);
  EXPECT_EQ(Load(withDistance(999999)).OnlineWindowDistance(), 999999);

  Bytes time = DefaultFileBytes;
  WriteU32(time, SettingsOffset::OnlineWindowTime, 0);
  EXPECT_EQ(Load(time).OnlineWindowTime(), 60);
  WriteU32(time, SettingsOffset::OnlineWindowTime, 999999);
  EXPECT_EQ(Load(time).OnlineWindowTime(), 999999);
}

TEST_F(UserSettingsTest, OneByteFieldsAreRepairedToTheirOwnReplacement) {
  struct Case {
    std::size_t offset;
    std::uint8_t stored;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {SettingsOffset::ViewAll, 2, 0},
      {SettingsOffset::ViewAll, 1, 1},
      {SettingsOffset::EnlargeAxisText, 200, 0},
      {SettingsOffset::EnlargeAxisText, 1, 1},
      {SettingsOffset::SpeedUnit, 2, 0},
      {SettingsOffset::SpeedUnit, 0x80, 0},
      {SettingsOffset::SpeedUnit, 0, 0},
      {SettingsOffset::LineWidthLevel, 0, 2},
      {SettingsOffset::LineWidthLevel, 4, 2},
      {SettingsOffset::LineWidthLevel, 3, 3},
      {SettingsOffset::LineWidthLevel, 1, 1},
      {SettingsOffset::DecimalSymbol, 2, 0},
      {SettingsOffset::DecimalSymbol, 1, 1},
      {SettingsOffset::SeparatorSymbol, 3, 1},
      {SettingsOffset::SeparatorSymbol, 0, 0},
      {SettingsOffset::SeparatorSymbol, 2, 2},
      {SettingsOffset::SeparatorSymbol, 0xFF, 1},
  };
  for (const Case& c : cases) {
    const UserSettings settings = Load(DefaultsWith(c.offset, c.stored));
    EXPECT_EQ(settings.Bytes[c.offset], c.expected) << "offset " << c.offset << " value " << int(c.stored);
  }
}

TEST_F(UserSettingsTest, AverageFilterAcceptsOnlyTheDialogChoices) {
  for (int value : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 128, 255}) {
    const bool choice = value == 1 || value == 2 || value == 4 || value == 6 || value == 8 || value == 10;
    const auto stored = static_cast<std::uint8_t>(value);
    const UserSettings settings = Load(DefaultsWith(SettingsOffset::AverageFilter, stored));
    EXPECT_EQ(settings.AverageFilter(), choice ? stored : 4) << value;
  }
}

TEST_F(UserSettingsTest, ReservedByteAndComPortAreCarriedThrough) {
  Bytes bytes = DefaultsWith(21, 0xAB);
  const std::uint8_t port[] = {'C', 'O', 'M', '1', '2', 0xC9};
  std::copy(std::begin(port), std::end(port), bytes.begin());
  bytes[SettingsOffset::SpeedUnit] = 9;  // forces a rewrite
  Load(bytes);
  bytes[SettingsOffset::SpeedUnit] = 0;
  EXPECT_EQ(FileBytes(), bytes);
}

TEST_F(UserSettingsTest, LoadTellsWhetherAPortIsNamed) {
  Bytes named = DefaultFileBytes;
  const char port[] = "COM3";
  std::copy(port, port + 5, named.begin());
  WriteFile(named);
  UserSettings settings;
  EXPECT_TRUE(SettingsFile(path_).LoadSettings(settings));
  WriteFile(DefaultFileBytes);
  EXPECT_FALSE(SettingsFile(path_).LoadSettings(settings));
  Bytes sixZeros = DefaultFileBytes;
  std::fill_n(sixZeros.begin(), 6, '0');
  WriteFile(sixZeros);
  EXPECT_FALSE(SettingsFile(path_).LoadSettings(settings));
}

TEST_F(UserSettingsTest, WriteAndReadRoundTrip) {
  UserSettings settings = UserSettings::Defaults();
  settings.SetOnlineWindowDistance(123456);
  settings.SetSeparatorSymbol(2);
  SettingsFile file(path_);
  file.WriteSettingsFile(settings);
  UserSettings read;
  ASSERT_TRUE(file.ReadSettingsFile(read));
  EXPECT_EQ(read, settings);
  // Reading does no range check: a value put in by hand arrives as it is.
  WriteFile(DefaultsWith(SettingsOffset::AverageFilter, 0));
  ASSERT_TRUE(file.ReadSettingsFile(read));
  EXPECT_EQ(read.AverageFilter(), 0);
}

TEST_F(UserSettingsTest, EmptyFileIsReplacedByTheDefaults) {
  EXPECT_EQ(Load({}), UserSettings::Defaults());
  EXPECT_EQ(FileBytes(), DefaultFileBytes);
}

TEST_F(UserSettingsTest, PageSizedFileIsReadFromItsFirstBytes) {
  Bytes page = DefaultsWith(SettingsOffset::ViewAll, 1);
  page.resize(4096, 0xEE);
  EXPECT_EQ(Load(page).ViewAll(), 1);
  EXPECT_EQ(FileBytes(), page) << "a valid head keeps the file as it is";

  page[SettingsOffset::LineWidthLevel] = 0xEE;
  EXPECT_EQ(Load(page).LineWidthLevel(), 2);
  EXPECT_EQ(FileBytes(), DefaultsWith(SettingsOffset::ViewAll, 1)) << "a repair writes the 22 bytes only";
}

TEST_F(UserSettingsTest, EveryFieldOutOfRangeAtOnceTakesItsOwnReplacement) {
  Bytes bad(UserSettingsLength, 0xEE);
  std::copy(DefaultFileBytes.begin(), DefaultFileBytes.begin() + SettingsOffset::OnlineWindowDistance, bad.begin());
  bad[21] = DefaultFileBytes[21];
  WriteU32(bad, SettingsOffset::OnlineWindowTime, 0x80000000u);  // negative
  // Each field takes its own replacement; for the speed unit that is metres
  // per second, not the kilometres per hour of a new file.
  const Bytes repaired = DefaultsWith(SettingsOffset::SpeedUnit, 0);
  const UserSettings settings = Load(bad);
  EXPECT_TRUE(std::equal(repaired.begin(), repaired.end(), settings.Bytes.begin()));
  EXPECT_EQ(FileBytes(), repaired);
}

TEST_F(UserSettingsTest, FolderThatCannotHoldTheFileIsSilent) {
  // A missing folder, and a "folder" that is a plain file: neither can be
  // written, even by root, and the program runs on with the defaults.
  WriteFile(DefaultFileBytes);
  for (const fs::path& nowhere : {folder_ / "gone" / "user_settings.bin", fs::path(path_) / "user_settings.bin"}) {
    UserSettings settings;
    EXPECT_FALSE(SettingsFile(nowhere.string()).LoadSettings(settings));
    EXPECT_EQ(settings, UserSettings::Defaults());
    SettingsFile(nowhere.string()).WriteSettingsFile(settings);
    EXPECT_FALSE(fs::exists(nowhere));
  }
}

TEST(SpeedUnitCodeTest, NamesTheSameByteAndKeepsUnknownCodes) {
  UserSettings settings = UserSettings::Defaults();
  EXPECT_EQ(settings.SpeedUnit(), SpeedUnitCode::KilometresPerHour);
  EXPECT_EQ(settings.SpeedFactor(), 3.6f);
  settings.SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  EXPECT_EQ(settings.Bytes[SettingsOffset::SpeedUnit], 0);
  EXPECT_EQ(settings.SpeedFactor(), 1.0f);
  settings.SetSpeedUnit(SpeedUnitCode::KilometresPerHour);
  EXPECT_EQ(settings.Bytes[SettingsOffset::SpeedUnit], 1);

  // A hand-edited code shows metres per second and survives a store of what was read.
  settings.Bytes[SettingsOffset::SpeedUnit] = 7;
  EXPECT_FALSE(settings.SpeedInKilometresPerHour());
  settings.SetSpeedUnit(settings.SpeedUnit());
  EXPECT_EQ(settings.Bytes[SettingsOffset::SpeedUnit], 7);
}

}  // namespace
}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The real Options dialog on a settings file in a temporary folder, with
// graphs and message boxes that record what they were asked.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/options_dialog.h"
#include "support/temporary_folder.h"

namespace veltrasko {

class RecordingGraphs : public OptionsGraphs {
 public:
  void SetLineWidth(std::int16_t width) override { LineWidths.push_back(width); }
  void RedrawView() override { ++Redraws; }
  void UpdateAxes() override { ++AxisSetUps; }

  std::vector<std::int16_t> LineWidths;
  int Redraws = 0;
  int AxisSetUps = 0;
};

class RecordingMessages : public MessageSink {
 public:
  void ShowMessage(std::string_view text) override { Texts.emplace_back(text); }
  std::vector<std::string> Texts;
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const UserSettings& settings) { return Bytes(settings.Bytes.begin(), settings.Bytes.end()); }

class OptionsTest : public testing::Test {
 protected:
  OptionsTest() { settings_ = UserSettings::Defaults(); }

  std::string Path() const { return folder_.File("user_settings.bin"); }

  void WriteFile(const Bytes& bytes) const {
    QFile file(QString::fromStdString(Path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  void WriteFile(const UserSettings& settings) const { WriteFile(BytesOf(settings)); }

  Bytes FileBytes() const {
    QFile file(QString::fromStdString(Path()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray content = file.readAll();
    return Bytes(content.begin(), content.end());
  }

  // Opens the dialog on a file holding these settings.
  TOption& OpenOn(const UserSettings& inFile) {
    WriteFile(inFile);
    dialog_.show();
    return dialog_;
  }

  // What the user does when choosing an item from a drop-down list.
  static void Choose(QComboBox& list, int index) {
    list.setCurrentIndex(index);
    emit list.activated(index);
  }

  // The defaults with the given byte changed, as a hand edit would leave them.
  static UserSettings DefaultsWith(std::size_t offset, std::uint8_t value) {
    UserSettings settings = UserSettings::Defaults();
    settings.Bytes[offset] = value;
    return settings;
  }

  test::TemporaryFolder folder_;
  UserSettings settings_;
  SettingsFile settingsFile_{Path()};
  RecordingGraphs graphs_;
  RecordingMessages messages_;
  TOption dialog_{settings_, settingsFile_, graphs_, messages_};
};

}  // namespace veltrasko

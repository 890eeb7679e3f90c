// SPDX-License-Identifier: GPL-3.0-or-later
// What the Personal data and export tests share: a fresh core, record files
// made by vrcgen in a temporary folder and opened by the program's own
// reader, screen sinks that hand the reader's personal data to the real
// dialog, and the answers to the questions the dialogs ask.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialogs/personal_data_dialog.h"
#include "screen/quiet_screen.h"
#include "screen/screen_sinks.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/process_runner.h"
#include "support/temporary_folder.h"
#include "support/whole_files.h"

namespace veltrasko::test {

inline constexpr CalendarDate LastDayOf2024{2024, 12, 31};

// The window's side of the reader: personal data goes to the dialog, and
// messages are kept for the test to check; the rest is dropped.
class DialogScreen final : public MessageSink, public SessionDialogs {
 public:
  explicit DialogScreen(TPersonData* dialog = nullptr) : dialog_(dialog) {}

  ScreenSinks& Sinks() { return sinks_; }
  std::vector<std::string> Messages;

  void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
  void ShowOnlineWeight(std::string_view weightText) override {
    if (dialog_ != nullptr) dialog_->ShowOnlineWeight(weightText);
  }
  void ShowFilePersonalData(const PersonalData& data) override {
    if (dialog_ != nullptr) dialog_->ShowFilePersonalData(data);
  }

 private:
  std::optional<std::string> AskSaveNextSession(std::string_view) override { return std::nullopt; }

  TPersonData* dialog_;
  QuietScreen quiet_;
  ScreenSinks sinks_{quiet_.Sinks().Status, *this, quiet_.Sinks().Graphs, *this};
};

class RecordFileTest : public ::testing::Test {
 protected:
  std::string MakeRecord(const std::string& name, std::vector<std::string> arguments = {}) {
    return MakeRecordFile(folder_, name, std::move(arguments));
  }
  // What the command-line export tool writes for the record file.
  std::string ToolExport(const std::string& recordPath, std::vector<std::string> options) {
    const std::string out = folder_.File("tool-export.out");
    options.insert(options.end(), {"-o", out, recordPath});
    const ProcessResult result = RunProcess(ToolPath("VELTRASKO_EXPORT"), options, folder_.Path().string());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    return ReadWholeText(out);
  }
  void OpenRecord(AnalyserCore& core, DialogScreen& screen, const std::string& path) {
    RecordReader reader(core, screen.Sinks());
    reader.OpenRecordFile(path);
    ASSERT_TRUE(screen.Messages.empty()) << screen.Messages.front();
  }
  std::string File(const std::string& name) const { return folder_.File(name); }

  std::unique_ptr<AnalyserCore> core_ = std::make_unique<AnalyserCore>();

 private:
  TemporaryFolder folder_;
};

// Presses the message box's button of that role, recording what it asked.
struct QuestionSeen {
  QString Caption;
  QString Text;
};
inline void Press(QWidget& modal, QMessageBox::StandardButton button, QuestionSeen* seen = nullptr) {
  auto* box = qobject_cast<QMessageBox*>(&modal);
  if (box == nullptr) {
    ADD_FAILURE() << "not a message box: " << modal.objectName().toStdString();
    modal.close();
    return;
  }
  if (seen != nullptr) *seen = {box->windowTitle(), box->text()};
  box->button(button)->click();
}

}  // namespace veltrasko::test

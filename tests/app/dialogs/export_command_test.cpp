// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/export_command.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>
#include <fstream>

#include "personal_fixture.h"
#include "protocol/frame_scanner.h"
#include "session/session_recorder.h"
#include "support/modal_answers.h"

namespace veltrasko::test {
namespace {

// What the user's "Save" does: the dialog checks the name and may ask first.
void Save(QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "accept"); }

// A question nobody expected fails the test instead of being answered as the
// file dialog would be.
bool RefuseUnexpectedQuestion(QWidget& modal) {
  auto* box = qobject_cast<QMessageBox*>(&modal);
  if (box == nullptr) return false;
  ADD_FAILURE() << "unexpected question: " << box->text().toStdString();
  box->reject();
  return true;
}

class ExportCommandTest : public RecordFileTest {
 protected:
  ExportCommandTest() { core_->EditSettings() = UserSettings::Defaults(); }

  // Opens the record file as the file view and shows it.
  void ShowFile(const std::string& path) {
    OpenRecord(*core_, screen_, path);
    core_->ShowFileGraph();
  }

  // Records the record file's frames into liveBase_00.vrc as the live side
  // would; the online view is shown.
  std::string RecordLive(const std::string& recordPath, const std::string& liveBase) {
    // The Save dialog's name carries the extension; the number goes before it.
    core_->Savenext(File(liveBase + ".vrc"));
    PlayToLiveSide(recordPath);
    return File(liveBase + "_00.vrc");
  }

  // Sends the record file's frames to the live side in reports as a box
  // would; the online view is shown.
  void PlayToLiveSide(const std::string& recordPath) {
    core_->ConnectionConfirmed();
    SessionRecorder recorder(*core_, screen_.Sinks(), [] { return LastDayOf2024; });
    const std::string bytes = ReadWholeText(recordPath);
    constexpr std::size_t ReportLength = 64;
    StreamBuffer chunk;
    for (std::size_t at = 0; at < bytes.size(); at += ReportLength) {
      const std::string_view report = std::string_view(bytes).substr(at, ReportLength);
      FillStreamBuffer(chunk, {reinterpret_cast<const std::uint8_t*>(report.data()), report.size()});
      recorder.OnBytesReceived(chunk);
    }
    core_->ShowOnlineGraph();
  }

  // Exports with the path given in place of the dialog's answer.
  std::string ExportTo(const std::string& path) {
    asked_.clear();
    ExportCommand command(*core_, screen_, [this, path](std::string_view proposal) {
      asked_.emplace_back(proposal);
      return std::optional<std::string>(path);
    });
    command.Export1Click();
    return ReadWholeText(path);
  }

  DialogScreen screen_;
  std::vector<std::string> asked_;
  QWidget window_;
};

TEST_F(ExportCommandTest, AnEmptyOnlineViewHasNothingToExportEvenWithAFileOpened) {
  ShowFile(MakeRecord("run.vrc", {"--strokes", "20"}));
  core_->ShowOnlineGraph();
  ExportTo(File("never.csv"));
  EXPECT_EQ(screen_.Messages, (std::vector<std::string>{"No data available for export!"}));
  EXPECT_TRUE(asked_.empty());
  EXPECT_FALSE(std::filesystem::exists(File("never.csv")));
}

TEST_F(ExportCommandTest, AFileThatCannotBeCreatedIsNamedInAMessage) {
  ShowFile(MakeRecord("run.vrc", {"--strokes", "20"}));
  const std::string unreachable = File("no-such-folder/run.csv");
  ExportTo(unreachable);
  EXPECT_EQ(screen_.Messages, (std::vector<std::string>{"Could not create the export file " + unreachable + "!"}));
  EXPECT_EQ(asked_, (std::vector<std::string>{File("run")}));
}

TEST_F(ExportCommandTest, TheDialogProposesTheRecordFileWithoutExtensionAndAddsTheChosenType) {
  const std::string record = MakeRecord("run_03.vrc", {"--strokes", "40"});
  ShowFile(record);
  ExportCommand command(*core_, window_, screen_);
  QFileDialog& dialog = *command.ExportDialog();
  EXPECT_EQ(dialog.objectName(), "Export");
  EXPECT_EQ(dialog.windowTitle(), "Export data");
  EXPECT_EQ(dialog.nameFilters(), (QStringList{"Comma seperated file (*.csv)", "Text file (*.txt)"}));

  QString proposedFolder;
  QString proposedName;
  QString filterShown;
  {
    ModalAnswers answers([&](QWidget& modal) {
      if (RefuseUnexpectedQuestion(modal)) return;
      proposedFolder = dialog.directory().absolutePath();
      proposedName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
      filterShown = dialog.selectedNameFilter();
      Save(dialog);
    });
    command.Export1Click();
    EXPECT_EQ(answers.Seen(), 1);
  }
  EXPECT_EQ(proposedFolder, QString::fromStdString(std::filesystem::path(record).parent_path().string()));
  EXPECT_EQ(proposedName, "run_03");
  EXPECT_EQ(filterShown, "Comma seperated file (*.csv)");
  EXPECT_EQ(ReadWholeText(File("run_03.csv")), ToolExport(record, {}));

  // The text type chosen gives .txt; the next use starts on the first type again.
  {
    ModalAnswers answers([&](QWidget& modal) {
      if (RefuseUnexpectedQuestion(modal)) return;
      // As the user picks it: the dialog reacts to an activated entry.
      QComboBox& types = *dialog.findChild<QComboBox*>("fileTypeCombo");
      types.setCurrentIndex(1);
      emit types.activated(1);
      emit types.textActivated(types.itemText(1));
      Save(dialog);
    });
    command.Export1Click();
  }
  EXPECT_TRUE(std::filesystem::exists(File("run_03.txt")));
  {
    ModalAnswers answers([&](QWidget&) {
      filterShown = dialog.selectedNameFilter();
      dialog.reject();
    });
    command.Export1Click();
  }
  EXPECT_EQ(filterShown, "Comma seperated file (*.csv)");
  EXPECT_TRUE(screen_.Messages.empty());
}

TEST_F(ExportCommandTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  const std::string record = MakeRecord("run.vrc", {"--strokes", "30"});
  ShowFile(record);
  ExportCommand command(*core_, window_, screen_);
  const auto exportAnswering = [&](QMessageBox::StandardButton replace) {
    int fileDialogTurns = 0;
    ModalAnswers answers([&](QWidget& modal) {
      if (qobject_cast<QMessageBox*>(&modal) != nullptr) return Press(modal, replace);
      // Refused once, the dialog stays open: then the user gives up.
      if (fileDialogTurns++ == 0)
        Save(*command.ExportDialog());
      else
        command.ExportDialog()->reject();
    });
    command.Export1Click();
    return answers.Seen();
  };
  std::ofstream(File("run.csv")) << "older export";
  EXPECT_EQ(exportAnswering(QMessageBox::No), 3);
  EXPECT_EQ(ReadWholeText(File("run.csv")), "older export");
  EXPECT_EQ(exportAnswering(QMessageBox::Yes), 2);
  EXPECT_EQ(ReadWholeText(File("run.csv")), ToolExport(record, {}));
}

TEST_F(ExportCommandTest, ANameWithoutAFolderStartsInTheHomeFolderAndCancelWritesNothing) {
  // Sessions not saved: the online view has strokes but no record file.
  const std::string record = MakeRecord("run.vrc", {"--strokes", "10"});
  PlayToLiveSide(record);
  ASSERT_FALSE(core_->OnlineStrokes().Empty());
  ExportCommand command(*core_, window_, screen_);
  QString folder;
  QString name = "unset";
  ModalAnswers answers([&](QWidget&) {
    folder = command.ExportDialog()->directory().absolutePath();
    name = command.ExportDialog()->findChild<QLineEdit*>("fileNameEdit")->text();
    command.ExportDialog()->reject();
  });
  command.Export1Click();
  EXPECT_EQ(folder, QDir::homePath());
  EXPECT_EQ(name, "");
  EXPECT_TRUE(screen_.Messages.empty());
}

struct ExportSymbols {
  std::uint8_t Separator;
  std::uint8_t Decimal;
  std::uint8_t Speed;
};
void PrintTo(const ExportSymbols& symbols, std::ostream* out) {
  *out << "separator " << int{symbols.Separator} << " decimal " << int{symbols.Decimal} << " speed "
       << int{symbols.Speed};
}

class ExportEachWay : public ExportCommandTest, public ::testing::WithParamInterface<ExportSymbols> {
 protected:
  ExportEachWay() {
    core_->EditSettings().SetSeparatorSymbol(GetParam().Separator);
    core_->EditSettings().SetDecimalSymbol(GetParam().Decimal);
    core_->EditSettings().SetSpeedUnit(static_cast<SpeedUnitCode>(GetParam().Speed));
  }
  static std::vector<std::string> ToolOptions() {
    static const char* const Separators[] = {"semicolon", "comma", "tab"};
    return {"--separator", Separators[GetParam().Separator],    "--decimal", GetParam().Decimal == 1 ? "comma" : "dot",
            "--speed",     GetParam().Speed == 1 ? "kmh" : "ms"};
  }
};

TEST_P(ExportEachWay, TheFileViewMatchesTheExportTool) {
  const std::string record = MakeRecord("file.vrc", {"--strokes", "120", "--seed", "7", "--box-version", "120",
                                                     "--pause-every", "40", "--name", "Eva Lind", "--fan", "8"});
  ShowFile(record);
  const std::string exported = ExportTo(File("file-view.txt"));
  EXPECT_TRUE(screen_.Messages.empty());
  EXPECT_EQ(exported, ToolExport(record, ToolOptions()));
  EXPECT_NE(exported.find("\nName: Eva Lind\nWeight: 80\nFan resistance: 8\n"), std::string::npos);
  EXPECT_NE(exported.find("\nveltrasko computer version 1.21\n\n"), std::string::npos);
}

TEST_P(ExportEachWay, TheOnlineViewMatchesTheExportToolOnItsRecordFile) {
  // The paddler cleared the name before the session: it is written as one blank.
  TPersonData dialog(*core_);
  dialog.show();
  dialog.NameOnline().setText("x");
  dialog.NameOnline().clear();
  dialog.FanOnline().setText("6");
  dialog.OKClick();

  const std::string record = MakeRecord("box.vrc", {"--strokes", "150", "--seed", "3", "--weight", "91"});
  const std::string live = RecordLive(record, "live");
  ASSERT_GT(core_->OnlineStrokes().Count(), 100u);
  const std::string exported = ExportTo(File("online-view.csv"));
  EXPECT_TRUE(screen_.Messages.empty());
  EXPECT_EQ(asked_, (std::vector<std::string>{File("live_00")}));
  EXPECT_EQ(exported, ToolExport(live, ToolOptions()));
  EXPECT_NE(exported.find("\nName:  \nWeight: 91\nFan resistance: 6\nSession date [m-d-yyyy]: 12-31-2024\n"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllSymbols, ExportEachWay,
                         ::testing::Values(ExportSymbols{0, 0, 0}, ExportSymbols{0, 0, 1}, ExportSymbols{0, 1, 0},
                                           ExportSymbols{0, 1, 1}, ExportSymbols{1, 0, 0}, ExportSymbols{1, 0, 1},
                                           ExportSymbols{1, 1, 0}, ExportSymbols{1, 1, 1}, ExportSymbols{2, 0, 0},
                                           ExportSymbols{2, 0, 1}, ExportSymbols{2, 1, 0}, ExportSymbols{2, 1, 1}));

}  // namespace
}  // namespace veltrasko::test

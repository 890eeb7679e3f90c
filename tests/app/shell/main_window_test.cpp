// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "dialogs/summary_dialog.h"
#include "export/summary_text.h"
#include "graph/readout_band.h"
#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"
#include "shell/hand_over.h"
#include "shell/status_panels.h"
#include "support/core_state_for_tests.h"
#include "support/event_waits.h"
#include "support/link_fakes.h"
#include "support/modal_answers.h"
#include "support/places_in_folder.h"
#include "support/process_runner.h"
#include "support/whole_files.h"

namespace veltrasko {
namespace {

using namespace test;

struct MenuEntry {
  QString caption;
  QKeySequence shortcut;
  bool separator;

  bool operator==(const MenuEntry&) const = default;
};

std::vector<MenuEntry> Entries(const QMenu& menu) {
  std::vector<MenuEntry> entries;
  for (const QAction* action : menu.actions()) {
    entries.push_back({action->text(), action->shortcut(), action->isSeparator()});
  }
  return entries;
}

class MainWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> MakeForm(const QByteArray& firstArgument = {}) {
    return std::make_unique<TForm1>(core, PlacesIn(folder), firstArgument);
  }

  // The message the next message box shows; the box is answered with OK.
  void CatchMessage() {
    modals.AnswerNext([this](QWidget& modal) {
      auto& box = dynamic_cast<QMessageBox&>(modal);
      message = box.text();
      messageTitle = box.windowTitle();
      messageButtons = box.buttons().size();
      box.accept();
    });
  }

  // Answers the next file dialog as a user would: types the file's path into
  // the name field and presses the button, or cancels.
  void AnswerFileDialog(const QString& chosen) {
    const int answer = ++answers;
    modals.AnswerNext([this, chosen, answer](QWidget& modal) {
      auto& dialog = dynamic_cast<QFileDialog&>(modal);
      dialogTitle = dialog.windowTitle();
      auto* nameField = dialog.findChild<QLineEdit*>("fileNameEdit");
      proposedName = nameField->text();
      if (chosen.isEmpty()) {
        dialog.reject();
        return;
      }
      nameField->setText(chosen);
      static_cast<QDialog&>(dialog).accept();  // runs the file dialog's own checks
      // A refused answer would leave the dialog (or its warning) open for ever.
      QTimer::singleShot(2000, &modals.Context(), [this, answer, dialog = QPointer<QFileDialog>(&dialog)] {
        if (answer != answers || dialog.isNull() || !dialog->isVisible()) return;
        ADD_FAILURE() << "the file dialog refused " << answer;
        while (auto* open = dynamic_cast<QDialog*>(QApplication::activeModalWidget())) open->reject();
      });
    });
  }

  TemporaryFolder folder;
  AnalyserCore core;
  QString message;
  QString messageTitle;
  qsizetype messageButtons = 0;
  QString dialogTitle;
  QString proposedName;
  int answers = 0;
  ModalAnswers modals;
};

TEST_F(MainWindowTest, StartsWithCaptionSizeStatusAndChecks) {
  const auto form = MakeForm();
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->windowTitle(), "Veltrasko Analyser - USB - ver. 1.61");
  const QRect screen = form->screen()->geometry();
  EXPECT_EQ(form->size(), QSize(screen.width() * 3 / 4, screen.height() * 2 / 3));
  EXPECT_EQ(form->minimumSize(), QSize(550, 380));

  QTabWidget& tabs = form->PageControl1();
  ASSERT_EQ(tabs.count(), 2);
  EXPECT_EQ(tabs.tabText(0), "Stroke values");
  EXPECT_EQ(tabs.tabText(1), "Right vs. left");
  EXPECT_EQ(tabs.currentIndex(), 0);
  EXPECT_EQ(form->Graphs().CheckBox(4).text(), "Water pct.");
  EXPECT_EQ(form->Graphs().CheckBox(5).text(), "Water dist.");
  EXPECT_EQ(form->Graphs().CheckBox(13).text(), "Water dist.");

  const StatusPanels& status = form->StatusBar1();
  const int widths[] = {70, 100, 110, 110, 508};
  int left = 0;
  for (int i = 0; i < StatusPanelCount; ++i) {
    EXPECT_EQ(status.Panel(i).x(), left) << "panel " << i;
    EXPECT_EQ(status.Panel(i).width() + 2, widths[i]) << "panel " << i;
    left += widths[i];
    EXPECT_EQ(status.PanelText(i), i == 1 ? "Disconnected" : "") << "panel " << i;
  }
  EXPECT_EQ(status.Panel(1).alignment(), Qt::AlignCenter);
  EXPECT_EQ(status.Panel(4).alignment(), Qt::AlignLeft | Qt::AlignVCenter);
  EXPECT_FALSE(status.isSizeGripEnabled());
  EXPECT_EQ(status.height(), StatusBarHeight);

  EXPECT_TRUE(form->Menu().Showonlinesession1->isChecked());
  EXPECT_FALSE(form->Menu().ShowFile1->isChecked());
  EXPECT_TRUE(core.OnlineStrokes().Empty());
  EXPECT_TRUE(core.FileStrokes().Empty());
}

TEST_F(MainWindowTest, MenuTreeHasItsCaptionsShortcutsAndOrder) {
  const auto form = MakeForm();
  QStringList titles;
  for (const QAction* menu : form->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({"File", "Edit", "USB Connection", "Commands", "Settings", "View"}));

  const MainMenu& menu = form->Menu();
  const QKeySequence none;
  EXPECT_EQ(Entries(*menu.File1), (std::vector<MenuEntry>{
                                      {"&Open...", QKeySequence("Ctrl+O"), false},
                                      {"&Save next...", none, false},
                                      {"&Export data...", none, false},
                                      {"Export FIT...", none, false},
                                      {"&Print...", QKeySequence("Ctrl+P"), false},
                                      {"", none, true},
                                      {"&Exit", QKeySequence("Ctrl+Q"), false},
                                  }));
  // No box is attached here: only the two fixed items show.
  QStringList connectionItems;
  for (const QAction* item : menu.Connection1->actions()) {
    if (item->isVisible()) connectionItems << item->text();
  }
  EXPECT_EQ(connectionItems, QStringList({"Update...", "Disconnected"}));
  EXPECT_EQ(menu.Connection1->actions().size(), 12);
  EXPECT_EQ(Entries(*menu.Edit1), (std::vector<MenuEntry>{{"&Copy", QKeySequence("Ctrl+C"), false}}));
  EXPECT_EQ(Entries(*menu.Commands1), (std::vector<MenuEntry>{{"Reset computer...", none, false}}));
  EXPECT_EQ(Entries(*menu.Settings1),
            (std::vector<MenuEntry>{{"&Options...", none, false}, {"Personal data...", none, false}}));
  EXPECT_EQ(Entries(*menu.View1), (std::vector<MenuEntry>{{"&File graph", none, false},
                                                          {"&Online graph", none, false},
                                                          {"Live readout", none, false},
                                                          {"Session summary...", none, false}}));
}

TEST_F(MainWindowTest, FirstStartWritesTheDefaultSettingsFile) {
  const auto form = MakeForm();
  QFile settings(QtPath(folder, "user_settings.bin"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QByteArray bytes = settings.readAll();
  EXPECT_EQ(bytes.size(), 22);
  EXPECT_EQ(core.Settings(), UserSettings::Defaults());
}

TEST_F(MainWindowTest, DialogsHaveTheirTitlesFiltersAndFolder) {
  const auto form = MakeForm();
  QFileDialog& open = form->OpenDialog1();
  // The toolkit shows a filter's blanks collapsed.
  EXPECT_EQ(open.nameFilters(), QStringList("Veltrasko record (*.vrc)"));
  EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(open.defaultSuffix(), "");
  EXPECT_EQ(QFileInfo(open.directory().path()), QFileInfo(QtPath(folder)));

  QFileDialog& save = form->SaveDialog1();
  EXPECT_EQ(save.windowTitle(), "Save next session as");
  EXPECT_EQ(save.nameFilters(), QStringList("Veltrasko record (*.vrc)"));
  EXPECT_EQ(save.defaultSuffix(), "vrc");
  EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(MainWindowTest, RecordFileOnTheCommandLineIsShownAsTheFileGraph) {
  const QString path =
      QString::fromStdString(MakeRecordFile(folder, "race.vrc", {"--strokes", "40", "--weight", "73"}));
  const auto form = MakeForm(QFile::encodeName(path));
  EXPECT_EQ(form->StatusBar1().PanelText(2), QString(" Strokes: %1").arg(core.File().FileStrokeCount));
  EXPECT_GT(core.File().FileStrokeCount, 30u);
  EXPECT_EQ(form->StatusBar1().PanelText(3), " Weight: 73 Kg");
  EXPECT_EQ(form->StatusBar1().PanelText(4), path);
  EXPECT_TRUE(form->Menu().ShowFile1->isChecked());
  EXPECT_FALSE(form->Menu().Showonlinesession1->isChecked());
  EXPECT_GT(form->Graphs().Series(1).dataCount(), 0);
  EXPECT_EQ(form->StatusBar1().PanelText(1), "Disconnected");
}

TEST_F(MainWindowTest, StrokeCountBeyondSixteenBitsStaysWholeAcrossViewSwitches) {
  const QString path = QString::fromStdString(MakeRecordFile(folder, "long.vrc", {"--strokes", "100000"}));
  const auto form = MakeForm(QFile::encodeName(path));
  EXPECT_EQ(form->StatusBar1().PanelText(2), " Strokes: 100000");
  form->Menu().Showonlinesession1->trigger();
  form->Menu().ShowFile1->trigger();
  EXPECT_EQ(form->StatusBar1().PanelText(2), " Strokes: 100000");
}

TEST_F(MainWindowTest, LiveReadoutFollowsTheViewsAndItsItemAndIsKeptForTheNextWindow) {
  const auto shown = [](const TForm1& form) {
    EXPECT_EQ(form.Menu().Readout1->isChecked(), !form.Readout().isHidden());
    return !form.Readout().isHidden();
  };
  auto form = MakeForm();
  EXPECT_TRUE(form->Menu().Readout1->isCheckable());
  EXPECT_TRUE(shown(*form));
  form->Menu().ShowFile1->trigger();
  EXPECT_FALSE(shown(*form));
  form->Menu().Readout1->trigger();
  EXPECT_TRUE(shown(*form));
  form->Menu().Showonlinesession1->trigger();
  form->Menu().Readout1->trigger();
  EXPECT_FALSE(shown(*form));

  form.reset();
  EXPECT_TRUE(QFile::exists(QtPath(folder, "user_preferences.ini")));
  EXPECT_EQ(QFileInfo(QtPath(folder, "user_settings.bin")).size(), 22);
  form = MakeForm();
  EXPECT_FALSE(shown(*form));
  form->Menu().ShowFile1->trigger();
  EXPECT_TRUE(shown(*form));
}

TEST_F(MainWindowTest, HandEditedPreferencesCountAsNoChoice) {
  const std::string text = "[Readout]\nOnlineView=banana\nFileView=\n\x01\xff[[=\n";
  WriteWholeFile(QtPath(folder, "user_preferences.ini").toStdString(), Bytes(text.begin(), text.end()));
  const auto form = MakeForm();
  EXPECT_FALSE(form->Readout().isHidden());
  form->Menu().ShowFile1->trigger();
  EXPECT_TRUE(form->Readout().isHidden());
}

// Readable from the seat: on a 1024 x 768 screen the window opens 768 x 512.
TEST_F(MainWindowTest, ReadoutDigitsFillAQuarterOfTheBandAtMostAFifthOfTheWindowAboveTheGraphs) {
  const auto form = MakeForm();
  form->show();
  for (const QSize size : {QSize(768, 512), QSize(1024, 740), QSize(1440, 720), QSize(550, 380)}) {
    SCOPED_TRACE(size.width());
    form->resize(size);
    ASSERT_TRUE(WaitUntil([&] { return form->height() == size.height(); }));
    QApplication::processEvents();
    const ReadoutBand& band = form->Readout();
    EXPECT_GT(band.height(), 0);
    EXPECT_LE(band.height(), form->height() / 5);
    EXPECT_GE(band.DigitHeight(), band.height() / 4.0);
    EXPECT_EQ(form->PageControl1().geometry().top(), band.geometry().bottom() + 1);
    EXPECT_EQ(form->PageControl1().height() + band.height(), form->centralWidget()->height());
  }
}

TEST_F(MainWindowTest, MissingFileOnTheCommandLineIsReportedAndTheWindowRuns) {
  CatchMessage();
  const auto form = MakeForm(QFile::encodeName(QtPath(folder, "gone.vrc")));
  EXPECT_EQ(message, "Could not open file!");
  EXPECT_EQ(messageTitle, "Veltrasko Analyser");
  EXPECT_EQ(messageButtons, 1);
  EXPECT_TRUE(form->Menu().ShowFile1->isChecked());
  EXPECT_EQ(form->StatusBar1().PanelText(2), " Strokes: 0");
}

TEST_F(MainWindowTest, OpenDialogOpensTheChosenFileAndViewMenuSwitchesBack) {
  const QString path = QString::fromStdString(MakeRecordFile(folder, "open.vrc", {"--strokes", "12"}));
  const auto form = MakeForm();
  AnswerFileDialog(path);
  form->Menu().Openfile1->trigger();
  EXPECT_EQ(form->StatusBar1().PanelText(4), path);
  EXPECT_TRUE(form->Menu().ShowFile1->isChecked());

  form->Menu().Showonlinesession1->trigger();
  EXPECT_TRUE(form->Menu().Showonlinesession1->isChecked());
  EXPECT_FALSE(form->Menu().ShowFile1->isChecked());
  EXPECT_EQ(form->Graphs().Series(1).dataCount(), 0);
  EXPECT_EQ(form->StatusBar1().PanelText(2), " Strokes: 0");

  form->Menu().ShowFile1->trigger();
  EXPECT_TRUE(form->Menu().ShowFile1->isChecked());
  EXPECT_FALSE(form->Menu().Showonlinesession1->isChecked());
  EXPECT_GT(form->Graphs().Series(1).dataCount(), 0);
  // Choosing the checked item again keeps it checked.
  form->Menu().ShowFile1->trigger();
  EXPECT_TRUE(form->Menu().ShowFile1->isChecked());
}

TEST_F(MainWindowTest, SaveNextBeforeTheFirstStrokeChoosesTheNameAndResetsTheBox) {
  const auto form = MakeForm();
  RecordingWriter box;
  form->Commands().AttachWriter(box);
  const QString chosen = QtPath(folder, "race");
  AnswerFileDialog(chosen);
  form->Menu().Savenext1->trigger();

  EXPECT_EQ(dialogTitle, "Save next session as");
  EXPECT_EQ(proposedName, QString::fromStdString(CompactDateText(Today()) + "_?"));
  EXPECT_EQ(core.Session().SaveDialogFileName, QFile::encodeName(chosen + ".vrc").toStdString());
  EXPECT_EQ(core.Session().SaveNameChosen, 1);
  EXPECT_EQ(form->StatusBar1().PanelText(4), " Reset the ergo computer.");
  ASSERT_EQ(box.reports.size(), 1u);
  EXPECT_EQ(box.reports[0][27], KindReset);
}

TEST_F(MainWindowTest, SaveNextDuringASessionSendsNoReset) {
  const auto form = MakeForm();
  RecordingWriter box;
  form->Commands().AttachWriter(box);
  CoreStateForTests::Session(core).DisplayedStrokeCount = 5;
  AnswerFileDialog(QtPath(folder, "later.vrc"));
  form->Menu().Savenext1->trigger();
  EXPECT_EQ(core.Session().SaveNameChosen, 1);
  EXPECT_TRUE(box.reports.empty());
}

TEST_F(MainWindowTest, SaveNextCancelledChangesNothing) {
  const auto form = MakeForm();
  RecordingWriter box;
  form->Commands().AttachWriter(box);
  CoreStateForTests::Session(core).SaveDialogFileName = "/old/base.vrc";
  form->StatusBar1().ShowStatus(StatusPanel::FileOrHint, "/old/base_00.vrc");
  AnswerFileDialog(QString());
  form->Menu().Savenext1->trigger();
  EXPECT_EQ(core.Session().SaveDialogFileName, "/old/base.vrc");
  EXPECT_EQ(core.Session().SaveNameChosen, 0);
  EXPECT_EQ(form->StatusBar1().PanelText(4), "/old/base_00.vrc");
  EXPECT_TRUE(box.reports.empty());
}

TEST_F(MainWindowTest, SaveNextRefusesNamesTheRecordFilesCannotHaveUntilTheUserCorrectsThem) {
  const auto form = MakeForm();
  const QString prefix = QtPath(folder) + "/";
  ASSERT_LT(QFile::encodeName(prefix).size(), 90) << "temporary folder too deep for this test";
  const auto pathOfBytes = [&prefix](qsizetype bytes) {
    return prefix + QString(bytes - QFile::encodeName(prefix).size() - 4, 'n') + ".vrc";
  };
  // What the user types each time the dialog shows; nothing at first, so the proposal is taken as it stands.
  const QStringList typed{QString(),
                          QtPath(folder, "gone/race"),
                          pathOfBytes(100),
                          "a?b",
                          "a*b",
                          "a:b",
                          "a\"b",
                          "a<b",
                          "a>b",
                          "a|b",
                          "a\\b",
                          pathOfBytes(99)};
  QStringList shownNames;
  QStringList messages;
  modals.AnswerEach([&](QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      messages << box->text();
      box->accept();
      return;
    }
    auto& dialog = dynamic_cast<QFileDialog&>(modal);
    auto* nameField = dialog.findChild<QLineEdit*>("fileNameEdit");
    shownNames << nameField->text();
    if (shownNames.size() > typed.size()) {  // a name refused for good ends the test rather than hanging it
      dialog.reject();
      return;
    }
    if (!typed[shownNames.size() - 1].isEmpty()) nameField->setText(typed[shownNames.size() - 1]);
    static_cast<QDialog&>(dialog).accept();
  });
  form->Menu().Savenext1->trigger();
  modals.AnswerEach({});

  EXPECT_EQ(core.Session().SaveDialogFileName, QFile::encodeName(pathOfBytes(99)).toStdString());
  EXPECT_EQ(core.Session().SaveNameChosen, 1);
  ASSERT_EQ(shownNames.size(), typed.size());
  const QString proposal = QString::fromStdString(CompactDateText(Today()) + "_?");
  EXPECT_EQ(shownNames[0], proposal);
  EXPECT_EQ(shownNames[1], proposal) << "a refused name stays for correcting";
  for (qsizetype i = 2; i < typed.size(); ++i) EXPECT_EQ(shownNames[i], typed[i - 1]);
  ASSERT_EQ(messages.size(), typed.size() - 1);
  const QString forbidden = "A record file name may not contain any of the characters ? * : \" < > | \\";
  EXPECT_EQ(messages[0], forbidden);
  EXPECT_EQ(messages[1], "The folder " + QtPath(folder, "gone") + " does not exist!");
  EXPECT_EQ(messages[2], "Folder and name are too long: at most 99 bytes are allowed!");
  for (qsizetype i = 3; i < messages.size(); ++i) EXPECT_EQ(messages[i], forbidden) << typed[i].toStdString();
}

TEST_F(MainWindowTest, ResetComputerGoesOutOnlyToAnOpenBox) {
  const auto form = MakeForm();
  form->Menu().Resetcomputer1->trigger();  // no box: silently dropped
  RecordingWriter box;
  form->Commands().AttachWriter(box);
  form->Menu().Resetcomputer1->trigger();
  ASSERT_EQ(box.reports.size(), 1u);
  EXPECT_EQ(box.reports[0].size(), BoxOutputReportLength);
  EXPECT_EQ(box.reports[0][27], KindReset);
}

TEST_F(MainWindowTest, AskingForTheNextSessionNameReturnsTheChoiceOrNothing) {
  const auto form = MakeForm();
  AnswerFileDialog(QtPath(folder, "asked.vrc"));
  EXPECT_EQ(form->AskSaveNextSession("20240307_?"), QFile::encodeName(QtPath(folder, "asked.vrc")).toStdString());
  EXPECT_EQ(proposedName, "20240307_?");
  AnswerFileDialog(QString());
  EXPECT_EQ(form->AskSaveNextSession("20240307_?"), std::nullopt);
}

TEST_F(MainWindowTest, HandedOverFileIsTakenAndShown) {
  const QString path =
      QString::fromStdString(MakeRecordFile(folder, "handed.vrc", {"--strokes", "20", "--weight", "66"}));
  const auto form = MakeForm();
  const QString handOverFile = QtPath(folder, "FileName.tmp");
  ASSERT_TRUE(WriteHandOverFile(handOverFile, QFile::encodeName(path)));
  form->OnHandOverMessage();
  EXPECT_FALSE(QFile::exists(handOverFile));
  EXPECT_EQ(form->StatusBar1().PanelText(4), path);
  EXPECT_EQ(form->StatusBar1().PanelText(3), " Weight: 66 Kg");

  // A knock without a hand-over file opens nothing and shows nothing.
  form->StatusBar1().ShowStatus(StatusPanel::FileOrHint, "unchanged");
  form->OnHandOverMessage();
  EXPECT_EQ(form->StatusBar1().PanelText(4), "unchanged");
}

TEST_F(MainWindowTest, ExportAndPersonalDataWorkOnTheFileShown) {
  const QString path =
      QString::fromStdString(MakeRecordFile(folder, "race.vrc", {"--strokes", "25", "--name", "Ana", "--fan", "5"}));
  const auto form = MakeForm(QFile::encodeName(path));

  AnswerFileDialog(QtPath(folder, "race-export.csv"));
  form->Menu().Export1->trigger();
  EXPECT_EQ(dialogTitle, "Export data");
  EXPECT_EQ(proposedName, "race");
  QFile exported(QtPath(folder, "race-export.csv"));
  ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
  EXPECT_TRUE(exported.readAll().startsWith("Veltrasko Analyser\nName: Ana\n"));

  form->Menu().Personaldata1->trigger();
  auto* dialog = form->findChild<QDialog*>("PersonData");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->findChild<QLineEdit*>("NameFile")->text(), "Ana");
  EXPECT_EQ(dialog->findChild<QLineEdit*>("FanFile")->text(), "5");
}

TEST_F(MainWindowTest, ExportOfAnEmptyViewSaysSo) {
  const auto form = MakeForm();
  CatchMessage();
  form->Menu().Export1->trigger();
  EXPECT_EQ(message, "No data available for export!");
  CatchMessage();
  form->Menu().ExportFit1->trigger();
  EXPECT_EQ(message, "No data available for export!");
}

TEST_F(MainWindowTest, ExportFitWritesWhatTheExporterWrites) {
  const QString path =
      QString::fromStdString(MakeRecordFile(folder, "lake.vrc", {"--strokes", "40", "--sessions", "2"}));
  const auto form = MakeForm(QFile::encodeName(path));
  AnswerFileDialog(QtPath(folder, "window.fit"));
  form->Menu().ExportFit1->trigger();
  EXPECT_EQ(dialogTitle, "Export FIT");
  EXPECT_EQ(proposedName, "lake.fit");

  const QString tool = qEnvironmentVariable("VELTRASKO_EXPORT", VELTRASKO_EXPORT);
  ASSERT_EQ(QProcess::execute(tool, {"--format", "fit", path}), 0) << qPrintable(tool);
  QFile window(QtPath(folder, "window.fit"));
  QFile exported(QtPath(folder, "lake.fit"));
  ASSERT_TRUE(window.open(QIODevice::ReadOnly));
  ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
  const QByteArray bytes = window.readAll();
  EXPECT_TRUE(bytes.mid(8, 4) == ".FIT");
  EXPECT_EQ(bytes, exported.readAll());
}

TEST_F(MainWindowTest, SessionSummaryOfTheViewShownIsCopiedAsTextAndPrintedWhileInFront) {
  const QString path = QString::fromStdString(
      MakeRecordFile(folder, "two.vrc", {"--strokes", "80", "--sessions", "2", "--name", "Ana"}));
  const auto form = MakeForm(QFile::encodeName(path));
  form->show();
  form->Menu().Summary1->trigger();
  auto* dialog = form->findChild<SessionSummaryDialog*>("SessionSummary");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());

  QApplication::clipboard()->clear();
  dialog->CopyButton().click();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied.toStdString(), SummaryText(ShownExportSource(core), core.Settings()));
  EXPECT_TRUE(copied.startsWith("Record file\t" + path + "\nName\tAna\n")) << qPrintable(copied);
  EXPECT_TRUE(copied.contains("\nSession 2\n") && !copied.contains("\nSession 3\n")) << "one block per session";

  // "&Print..." prints the summary while it is in front, else the graph.
  ASSERT_TRUE(WaitUntil([&] { return dialog->InFront(); }));
  QWidget* previewOver = nullptr;
  modals.AnswerNext([&](QWidget& modal) {
    previewOver = qobject_cast<QPrintPreviewDialog*>(&modal) != nullptr ? modal.parentWidget() : nullptr;
    static_cast<QDialog&>(modal).reject();
  });
  form->Menu().Print1->trigger();
  EXPECT_EQ(previewOver, dialog);

  form->Menu().Showonlinesession1->trigger();
  CatchMessage();
  form->Menu().Summary1->trigger();
  EXPECT_EQ(message, "No strokes to summarise!");
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheRecordFile) {
  const auto form = MakeForm();
  ASSERT_TRUE(
      CoreStateForTests::Session(core).Record.Create(QFile::encodeName(QtPath(folder, "open_00.vrc")).toStdString()));
  form->show();
  form->Menu().Quit1->trigger();
  EXPECT_FALSE(core.Session().Record.IsOpen());
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace veltrasko

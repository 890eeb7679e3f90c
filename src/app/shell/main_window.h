// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one main window, Form1 of class TForm1: the two graph tabs,
// the status bar every part writes into, the main menu and the file
// dialogs. It shows the core's state and reaches the core through its
// handlers; it runs the start-up steps when created and the shutdown when
// closed.
#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "program_identity.h"
#include "protocol/box_commands.h"
#include "screen/screen_sinks.h"
#include "settings/user_settings.h"
#include "shell/main_menu.h"
#include "shell/program_places.h"
#include "shell/program_preferences.h"

class QFileDialog;
class QTabWidget;

namespace veltrasko {

class AnalyserCore;
class BoxLink;
class ConnectionHandshake;
class HandOverListener;
class RecordReader;
class SessionRecorder;
template <typename Receiver>
class ChunksTo;
class StatusPanels;
class ChartOutput;
class ChartTools;
class ReadoutBand;
class StrokeGraphs;
class StrokeGraphsOptions;
class TOption;
class TPersonData;
class ExportCommand;
class SessionSummaryDialog;
class FitExportCommand;

inline constexpr char MainWindowCaption[] = VELTRASKO_DISPLAY_NAME " - USB - ver. " VELTRASKO_VERSION;

class TForm1 : public QMainWindow, public MessageSink, public SessionDialogs {
  Q_OBJECT

 public:
  // Runs the start-up steps; a first argument that is not empty is opened as
  // a record file at their end.
  TForm1(AnalyserCore& core, const ProgramPlaces& places, const QByteArray& firstArgument, QWidget* parent = nullptr);
  ~TForm1() override;

  void ShowMessage(std::string_view text) override;
  std::optional<std::string> AskSaveNextSession(std::string_view proposal) override;
  void ShowOnlineWeight(std::string_view weightText) override;
  void ShowFilePersonalData(const PersonalData& data) override;

  void Openfile1Click();
  void Savenext1Click();
  void Quit1Click();
  void Resetcomputer1Click();
  // "Live readout": shows or hides the readout band in the view shown, and
  // keeps the choice for that view.
  void Readout1Click(bool checked);
  // A second start has handed over a record file path.
  void OnHandOverMessage();

  StatusPanels& StatusBar1() const { return *statusBar1_; }
  StrokeGraphs& Graphs() const { return *graphs_; }
  QTabWidget& PageControl1() const { return *pageControl1_; }
  ReadoutBand& Readout() const { return *readout_; }
  const MainMenu& Menu() const { return menu_; }
  QFileDialog& OpenDialog1() const { return *openDialog1_; }
  QFileDialog& SaveDialog1() const { return *saveDialog1_; }
  BoxCommandSender& Commands() { return commands_; }
  BoxLink& Link() const { return *link_; }

 protected:
  // FormClose: the close box and "&Exit" end the program the same way.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormCreate(const QByteArray& firstArgument);
  void BuildPages();
  void ConnectMenu();
  void SizeToScreen();
  void OpenNamedRecordFile(const QByteArray& path);
  std::optional<std::string> RunSaveNextDialog(std::string_view proposal);
  void SetViewChecks();

  AnalyserCore& core_;
  ProgramPlaces places_;
  SettingsFile settingsFile_;
  ProgramPreferences preferences_;
  BoxCommandSender commands_;
  QTabWidget* pageControl1_ = nullptr;
  ReadoutBand* readout_ = nullptr;
  QWidget* tabSheet1_ = nullptr;
  QWidget* tabSheet2_ = nullptr;
  StatusPanels* statusBar1_ = nullptr;
  StrokeGraphs* graphs_ = nullptr;
  ChartTools* chartTools_ = nullptr;
  ChartOutput* chartOutput_ = nullptr;
  MainMenu menu_;
  QFileDialog* openDialog1_ = nullptr;
  QFileDialog* saveDialog1_ = nullptr;
  HandOverListener* handOver_ = nullptr;
  std::unique_ptr<ScreenSinks> sinks_;
  std::unique_ptr<RecordReader> reader_;
  std::unique_ptr<StrokeGraphsOptions> graphOptions_;
  TOption* option_ = nullptr;
  TPersonData* personData_ = nullptr;
  SessionSummaryDialog* summary_ = nullptr;
  std::unique_ptr<ExportCommand> exportCommand_;
  std::unique_ptr<FitExportCommand> fitExportCommand_;
  std::unique_ptr<SessionRecorder> recorder_;
  std::unique_ptr<ConnectionHandshake> handshake_;
  std::unique_ptr<ChunksTo<SessionRecorder>> received_;
  // Declared last so it goes first: no chunk may arrive once the recorder is gone.
  std::unique_ptr<BoxLink> link_;
};

}  // namespace veltrasko

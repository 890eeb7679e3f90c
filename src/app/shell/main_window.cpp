// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/export_command.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/fit_export_command.h"
#include "dialogs/options_dialog.h"
#include "dialogs/personal_data_dialog.h"
#include "dialogs/stroke_graphs_options.h"
#include "dialogs/summary_dialog.h"
#include "graph/chart_output.h"
#include "graph/chart_tools.h"
#include "graph/readout_band.h"
#include "graph/stroke_graphs.h"
#include "link/box_link.h"
#include "session/analyser_core.h"
#include "session/connection_handshake.h"
#include "session/record_reader.h"
#include "session/session_recorder.h"
#include "shell/hand_over.h"
#include "shell/status_panels.h"

namespace veltrasko {

namespace {

constexpr int MinimumWidth = 550;
constexpr int MinimumHeight = 380;
constexpr int FontPointSize = 8;
// The readout band takes at most this share of the window's height.
constexpr int ReadoutHeightShare = 5;

// Whether the readout band is shown, chosen for each view.
QString ReadoutKey(bool online) { return online ? "Readout/OnlineView" : "Readout/FileView"; }

// The modeless dialogs come to the front when their command is chosen again.
void ShowDialog(QDialog& dialog) {
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TForm1::TForm1(AnalyserCore& core, const ProgramPlaces& places, const QByteArray& firstArgument, QWidget* parent)
    : QMainWindow(parent),
      core_(core),
      places_(places),
      settingsFile_(PathBytes(places.SettingsPath)),
      preferences_(places.PreferencesPath()) {
  setObjectName("Form1");
  setMinimumSize(MinimumWidth, MinimumHeight);
  QFont font = QApplication::font();
  font.setPointSize(FontPointSize);
  setFont(font);
  BuildPages();
  sinks_ = std::make_unique<ScreenSinks>(ScreenSinks{*statusBar1_, *this, *graphs_, *this});
  reader_ = std::make_unique<RecordReader>(core_, *sinks_);
  recorder_ = std::make_unique<SessionRecorder>(core_, *sinks_);
  handshake_ = std::make_unique<ConnectionHandshake>(core_, *sinks_);
  core_.SetConnectionListener(handshake_.get());
  received_ = std::make_unique<ChunksTo<SessionRecorder>>(*recorder_);
  link_ = std::make_unique<BoxLink>(BoxLinkPeers{core_, commands_, *received_, *statusBar1_, *graphs_});
  menu_ = BuildMainMenu(*menuBar());
  menu_.Connection1->addActions(link_->Menu().Actions());
  // Made before the start-up steps: a record file named on the command line
  // already hands its personal data to the dialog. Hidden until its command.
  personData_ = new TPersonData(core_, this);
  exportCommand_ = std::make_unique<ExportCommand>(core_, *this, *this);
  summary_ = new SessionSummaryDialog(core_, *this, this);
  fitExportCommand_ = std::make_unique<FitExportCommand>(core_, *this, *this);
  ConnectMenu();
  FormCreate(firstArgument);
  graphOptions_ = std::make_unique<StrokeGraphsOptions>(*graphs_);
  option_ = new TOption(core_.EditSettings(), settingsFile_, *graphOptions_, this);
}

// FormDestroy: the hand-over channel closes with the window, and the core,
// which lives on, no longer calls into it.
TForm1::~TForm1() {
  // The Options dialog works on the graphs through graphOptions_: it goes
  // now, while both are there, not after them with the window's children.
  delete option_;
  handOver_->Stop();
  core_.SetConnectionListener(nullptr);
}

void TForm1::BuildPages() {
  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");
  tabSheet1_ = new QWidget;
  tabSheet1_->setObjectName("TabSheet1");
  tabSheet2_ = new QWidget;
  tabSheet2_->setObjectName("TabSheet2");
  pageControl1_->addTab(tabSheet1_, "Stroke values");
  pageControl1_->addTab(tabSheet2_, "Right vs. left");
  statusBar1_ = new StatusPanels(this);
  setStatusBar(statusBar1_);
  graphs_ = new StrokeGraphs(core_, *statusBar1_, *tabSheet1_, *tabSheet2_, this);
  // The readout band above the tabs, the graphs filling the rest.
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  readout_ = new ReadoutBand(graphs_->Readout(), central);
  layout->addWidget(readout_);
  layout->addWidget(pageControl1_, 1);
  setCentralWidget(central);
  connect(graphs_, &StrokeGraphs::readoutChanged, readout_, &ReadoutBand::Refresh);
  chartTools_ = new ChartTools(*graphs_, core_.Settings(), this);
  chartOutput_ = new ChartOutput(core_, *graphs_, *pageControl1_, *this);
}

void TForm1::ConnectMenu() {
  connect(menu_.Openfile1, &QAction::triggered, this, &TForm1::Openfile1Click);
  connect(menu_.Savenext1, &QAction::triggered, this, &TForm1::Savenext1Click);
  connect(menu_.Quit1, &QAction::triggered, this, &TForm1::Quit1Click);
  connect(menu_.Resetcomputer1, &QAction::triggered, this, &TForm1::Resetcomputer1Click);
  // The summary in front is printed instead of the graph; Ctrl+P reaches it there too.
  summary_->addAction(menu_.Print1);
  connect(menu_.Print1, &QAction::triggered, this,
          [this] { summary_->InFront() ? summary_->PrintClick() : chartOutput_->Print1Click(); });
  connect(menu_.Copy1, &QAction::triggered, chartOutput_, &ChartOutput::Copy1Click);
  connect(menu_.Export1, &QAction::triggered, this, [this] { exportCommand_->Export1Click(); });
  connect(menu_.ExportFit1, &QAction::triggered, this, [this] { fitExportCommand_->ExportFit1Click(); });
  connect(menu_.Options1, &QAction::triggered, this, [this] { ShowDialog(*option_); });
  connect(menu_.Personaldata1, &QAction::triggered, this, [this] { ShowDialog(*personData_); });
  connect(menu_.ShowFile1, &QAction::triggered, this, [this] {
    graphs_->ShowFile1Click();
    SetViewChecks();
  });
  connect(menu_.Showonlinesession1, &QAction::triggered, this, [this] {
    graphs_->Showonlinesession1Click();
    SetViewChecks();
  });
  connect(graphs_, &StrokeGraphs::viewChanged, this, &TForm1::SetViewChecks);
  connect(menu_.Readout1, &QAction::triggered, this, &TForm1::Readout1Click);
  connect(menu_.Summary1, &QAction::triggered, summary_, &SessionSummaryDialog::Summary1Click);
}

void TForm1::FormCreate(const QByteArray& firstArgument) {
  handOver_ = new HandOverListener(this);
  connect(handOver_, &HandOverListener::handOverKnocked, this, &TForm1::OnHandOverMessage);
  // An instance without the lock has no channel name: it must not take the
  // running instance's channel away.
  if (!places_.ChannelName.isEmpty()) handOver_->Listen(places_.ChannelName);

  setWindowTitle(MainWindowCaption);
  graphs_->CheckBox(4).setText("Water pct.");
  graphs_->CheckBox(5).setText("Water dist.");
  graphs_->CheckBox(13).setText("Water dist.");
  SizeToScreen();

  // Every platform this program builds for passes the platform check, so
  // the settings' answer about a serial port never leads to a warning.
  settingsFile_.LoadSettings(core_.EditSettings());

  statusBar1_->ShowStatus(StatusPanel::Connection, DisconnectedText);

  graphs_->SetupSeries();
  graphs_->VertAxisNameChart1();
  graphs_->VertAxisNameChart2();
  SetViewChecks();

  link_->ScanBoxes();

  openDialog1_ = MakeOpenDialog(*this, places_.DialogFolder);
  saveDialog1_ = MakeSaveNextDialog(*this, places_.DialogFolder);

  OpenNamedRecordFile(firstArgument);
}

void TForm1::SizeToScreen() {
  const QRect screen = this->screen()->geometry();
  resize(screen.width() * 3 / 4, screen.height() * 2 / 3);
  move(screen.center() - rect().center());
}

void TForm1::ShowMessage(std::string_view text) {
  QMessageBox box(QMessageBox::Information, VELTRASKO_DISPLAY_NAME, QString::fromLocal8Bit(Bytes(text)),
                  QMessageBox::Ok, this);
  box.exec();
}

std::optional<std::string> TForm1::AskSaveNextSession(std::string_view proposal) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  return RunSaveNextDialog(proposal);
}

void TForm1::ShowOnlineWeight(std::string_view weightText) { personData_->ShowOnlineWeight(weightText); }

void TForm1::ShowFilePersonalData(const PersonalData& data) { personData_->ShowFilePersonalData(data); }

std::optional<std::string> TForm1::RunSaveNextDialog(std::string_view proposal) {
  saveDialog1_->selectFile(QFile::decodeName(Bytes(proposal)));
  if (saveDialog1_->exec() != QDialog::Accepted || saveDialog1_->selectedFiles().isEmpty()) return std::nullopt;
  return PathBytes(saveDialog1_->selectedFiles().constFirst());
}

void TForm1::Openfile1Click() {
  if (openDialog1_->exec() != QDialog::Accepted || openDialog1_->selectedFiles().isEmpty()) return;
  OpenNamedRecordFile(QFile::encodeName(openDialog1_->selectedFiles().constFirst()));
}

void TForm1::OpenNamedRecordFile(const QByteArray& path) {
  openDialog1_->selectFile(QFile::decodeName(path));
  if (!path.isEmpty()) reader_->OpenRecordFile(std::string_view(path.constData(), path.size()));
}

void TForm1::Savenext1Click() {
  const SaveNextResult result = core_.Savenext(RunSaveNextDialog(NextSessionProposal(Today())));
  if (!result.NameTaken) return;
  statusBar1_->ShowStatus(StatusPanel::FileOrHint, result.Hint);
  // With no stroke yet the box can start the new session itself; during a
  // session the paddler decides when to press 'RST'.
  if (result.ResetBox) commands_.SendResetCommand();
}

void TForm1::Resetcomputer1Click() { commands_.SendResetCommand(); }

void TForm1::OnHandOverMessage() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  OpenNamedRecordFile(TakeHandOverFile(places_.HandOverFilePath));
}

// The readout band follows the view: shown with the online view and hidden
// with the file view unless the user chose otherwise for that view.
void TForm1::SetViewChecks() {
  const bool online = graphs_->OnlineGraphChecked();
  menu_.Showonlinesession1->setChecked(online);
  menu_.ShowFile1->setChecked(!online);
  const bool readoutShown = preferences_.Flag(ReadoutKey(online), online);
  menu_.Readout1->setChecked(readoutShown);
  readout_->setVisible(readoutShown);
}

void TForm1::Readout1Click(bool checked) {
  preferences_.SetFlag(ReadoutKey(graphs_->OnlineGraphChecked()), checked);
  readout_->setVisible(checked);
}

void TForm1::Quit1Click() { close(); }

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  readout_->SetHeightLimit(height() / ReadoutHeightShare);
}

void TForm1::closeEvent(QCloseEvent* event) {
  link_->ShutDown();
  event->accept();
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/summary_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "export/export_writer.h"
#include "export/summary_text.h"
#include "graph/chart_output.h"
#include "screen/program_texts.h"
#include "session/analyser_core.h"

namespace veltrasko {

namespace {

constexpr QSize StartSize(560, 680);

// The same lines as the clipboard text, laid out for reading: a line without
// a tab is a heading, runs of tabbed lines are tables, numbers right-aligned;
// a table set off by an empty line (the splits) opens with its column heads.
QString SummaryHtml(const QString& text) {
  QString html = "<html><body>";
  bool inTable = false;
  bool afterEmptyLine = false;
  for (const QString& line : text.split('\n')) {
    if (!line.contains('\t')) {
      if (inTable) html += "</table>";
      inTable = false;
      if (!line.isEmpty()) html += "<h3>" + line.toHtmlEscaped() + "</h3>";
      afterEmptyLine = line.isEmpty();
      continue;
    }
    const bool heads = !inTable && afterEmptyLine;
    if (!inTable)
      html += QString("<table cellspacing=\"0\" cellpadding=\"2\"%1>").arg(heads ? " style=\"margin-top: 8px\"" : "");
    inTable = true;
    const QString cell = heads ? "th" : "td";
    const QStringList cells = line.split('\t');
    html += "<tr><" + cell + " align=\"left\">" + cells.constFirst().toHtmlEscaped() + "</" + cell + ">";
    for (qsizetype i = 1; i < cells.size(); ++i)
      html += "<" + cell + " align=\"right\">" + cells[i].toHtmlEscaped() + "</" + cell + ">";
    html += "</tr>";
  }
  if (inTable) html += "</table>";
  return html + "</body></html>";
}

}  // namespace

SessionSummaryDialog::SessionSummaryDialog(const AnalyserCore& core, MessageSink& messages, QWidget* parent)
    : QDialog(parent), core_(core), messages_(messages) {
  setObjectName("SessionSummary");
  setWindowTitle("Session summary");
  view_ = new QTextBrowser(this);
  view_->setObjectName("SummaryView");
  auto* buttons = new QDialogButtonBox(this);
  copyButton_ = buttons->addButton("Copy", QDialogButtonBox::ActionRole);
  printButton_ = buttons->addButton("Print", QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(buttons);
  connect(copyButton_, &QPushButton::clicked, this, &SessionSummaryDialog::CopyClick);
  connect(printButton_, &QPushButton::clicked, this, &SessionSummaryDialog::PrintClick);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  resize(StartSize);
}

SessionSummaryDialog::~SessionSummaryDialog() = default;

void SessionSummaryDialog::Summary1Click() {
  const std::string text = SummaryText(ShownExportSource(core_), core_.Settings());
  if (text.empty()) {
    messages_.ShowMessage(NoSummaryDataMessage);
    return;
  }
  text_ = QString::fromStdString(text);
  view_->setHtml(SummaryHtml(text_));
  show();
  raise();
  activateWindow();
}

void SessionSummaryDialog::CopyClick() { QApplication::clipboard()->setText(text_); }

void SessionSummaryDialog::PrintClick() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintPreviewDialog preview(printer_.get(), this);
  SizeToShowTheToolbar(preview, *this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { PrintSummary(*printer); });
  preview.exec();
}

void SessionSummaryDialog::PrintSummary(QPrinter& printer) const {
  // A copy of the text as shown, laid out for the page rather than the view.
  std::unique_ptr<QTextDocument> page(view_->document()->clone());
  page->print(&printer);
}

bool SessionSummaryDialog::InFront() const { return isVisible() && isActiveWindow(); }

}  // namespace veltrasko

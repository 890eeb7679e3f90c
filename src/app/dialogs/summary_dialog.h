// SPDX-License-Identifier: GPL-3.0-or-later
// "Session summary...": the figures of every session of the view shown, in a
// modeless dialog that copies them to the clipboard as tab-separated text for
// a spreadsheet and prints them.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "screen/screen_sinks.h"

class QPrinter;
class QPushButton;
class QTextBrowser;

namespace veltrasko {

class AnalyserCore;

class SessionSummaryDialog : public QDialog {
  Q_OBJECT

 public:
  SessionSummaryDialog(const AnalyserCore& core, MessageSink& messages, QWidget* parent);
  ~SessionSummaryDialog() override;

  // The menu command: the summary of the view shown now, brought to the
  // front; a view without strokes is only reported.
  void Summary1Click();
  // "Copy": the text a spreadsheet pastes in columns.
  void CopyClick();
  // "Print", and "&Print..." while the dialog is in front: the print preview.
  void PrintClick();
  // What the preview prints.
  void PrintSummary(QPrinter& printer) const;

  // The active window, so that "&Print..." means the summary.
  bool InFront() const;
  const QString& Text() const { return text_; }
  QPushButton& CopyButton() const { return *copyButton_; }
  QPushButton& PrintButton() const { return *printButton_; }

 private:
  const AnalyserCore& core_;
  MessageSink& messages_;
  QString text_;
  QTextBrowser* view_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  std::unique_ptr<QPrinter> printer_;  // made at the first print: it asks the system for printers
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// "Export FIT...": the view shown as a FIT activity file for the training
// platforms, written exactly as veltrasko-export --format fit writes it.
#pragma once

#include "dialogs/export_command.h"

class QFileDialog;
class QWidget;

namespace veltrasko {

class FitExportCommand {
 public:
  // Asks with the "Export FIT" dialog, kept over the parent between uses.
  FitExportCommand(const AnalyserCore& core, QWidget& parent, MessageSink& messages);
  FitExportCommand(const AnalyserCore& core, MessageSink& messages, ExportPathQuestion askPath);

  void ExportFit1Click();

 private:
  const AnalyserCore& core_;
  MessageSink& messages_;
  ExportPathQuestion askPath_;
};

}  // namespace veltrasko

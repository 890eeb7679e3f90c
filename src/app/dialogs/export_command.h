// SPDX-License-Identifier: GPL-3.0-or-later
// "Export data...": checks that the view shown has strokes, asks where the
// export goes and writes it, telling the user when the file cannot be made.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "screen/screen_sinks.h"
#include "session/analyser_core.h"

class QFileDialog;
class QWidget;

namespace veltrasko {

// Asks for the export file's path, starting from the proposed name; the
// chosen path, or nothing when the user cancels.
using ExportPathQuestion = std::function<std::optional<std::string>(std::string_view proposedName)>;

class ExportCommand {
 public:
  // Asks with the "Export data" dialog, kept over the parent between uses.
  ExportCommand(const AnalyserCore& core, QWidget& parent, MessageSink& messages);
  ExportCommand(const AnalyserCore& core, MessageSink& messages, ExportPathQuestion askPath);

  void Export1Click();

  // The dialog asked when no other question was given, else null.
  QFileDialog* ExportDialog() const { return dialog_; }

 private:
  const AnalyserCore& core_;
  MessageSink& messages_;
  QFileDialog* dialog_ = nullptr;
  ExportPathQuestion askPath_;
};

}  // namespace veltrasko

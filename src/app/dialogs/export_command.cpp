// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/export_command.h"

#include <QFileDialog>
#include <utility>

#include "dialogs/export_dialog.h"
#include "export/export_writer.h"

namespace veltrasko {

void ReportExportNotCreated(MessageSink& messages, const std::string& path) {
  const std::string_view text = ExportNotCreatedMessage;
  const std::size_t at = text.find("%s");
  std::string message(text.substr(0, at));
  message.append(path).append(text.substr(at + 2));
  messages.ShowMessage(message);
}

ExportCommand::ExportCommand(AnalyserCore& core, QWidget& parent, MessageSink& messages)
    : core_(core), messages_(messages), dialog_(MakeExportDialog(parent)) {
  askPath_ = [dialog = dialog_](std::string_view proposedName) { return AskExportPath(*dialog, proposedName); };
}

ExportCommand::ExportCommand(AnalyserCore& core, MessageSink& messages, ExportPathQuestion askPath)
    : core_(core), messages_(messages), askPath_(std::move(askPath)) {}

void ExportCommand::Export1Click() {
  const ExportSource source = ShownExportSource(core_);
  if (source.Strokes.Empty()) {
    messages_.ShowMessage(NoExportDataMessage);
    return;
  }
  const std::optional<std::string> path = askPath_(ProposedExportName(source.RecordFilePath));
  if (!path) return;
  if (!WriteExportFile(*path, source, core_.Settings)) ReportExportNotCreated(messages_, *path);
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/export_command.h"

#include <QFileDialog>
#include <utility>

#include "dialogs/export_dialog.h"
#include "export/export_writer.h"
#include "screen/program_texts.h"

namespace veltrasko {

ExportCommand::ExportCommand(const AnalyserCore& core, QWidget& parent, MessageSink& messages)
    : core_(core), messages_(messages), dialog_(MakeExportDialog(parent)) {
  askPath_ = [dialog = dialog_](std::string_view proposedName) { return AskExportPath(*dialog, proposedName); };
}

ExportCommand::ExportCommand(const AnalyserCore& core, MessageSink& messages, ExportPathQuestion askPath)
    : core_(core), messages_(messages), askPath_(std::move(askPath)) {}

void ExportCommand::Export1Click() {
  const ExportSource source = ShownExportSource(core_);
  if (source.Strokes.Empty()) {
    messages_.ShowMessage(NoExportDataMessage);
    return;
  }
  const std::optional<std::string> path = askPath_(ProposedExportName(source.RecordFilePath));
  if (!path) return;
  if (WriteExportFile(*path, source, core_.Settings()) == ExportResult::Written) return;
  // An export that silently produces no file looks like one that worked.
  messages_.ShowMessage(ExportNotCreatedMessage(*path));
}

}  // namespace veltrasko

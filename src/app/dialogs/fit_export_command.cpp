// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/fit_export_command.h"

#include <QFileDialog>
#include <utility>

#include "dialogs/file_dialogs.h"
#include "export/fit_activity.h"
#include "program_identity.h"
#include "screen/program_texts.h"

namespace veltrasko {

FitExportCommand::FitExportCommand(const AnalyserCore& core, QWidget& parent, MessageSink& messages)
    : core_(core), messages_(messages) {
  askPath_ = [dialog = MakeFitExportDialog(parent)](std::string_view proposedName) {
    return AskSavePath(*dialog, proposedName);
  };
}

FitExportCommand::FitExportCommand(const AnalyserCore& core, MessageSink& messages, ExportPathQuestion askPath)
    : core_(core), messages_(messages), askPath_(std::move(askPath)) {}

void FitExportCommand::ExportFit1Click() {
  const ExportSource source = ShownExportSource(core_);
  if (source.Strokes.Empty()) {
    messages_.ShowMessage(NoExportDataMessage);
    return;
  }
  const std::optional<std::string> path = askPath_(ProposedFitName(source.RecordFilePath));
  if (!path) return;
  if (!WriteFitExport(*path, source, std::nullopt, VELTRASKO_VERSION))
    messages_.ShowMessage(ExportNotCreatedMessage(*path));
}

}  // namespace veltrasko

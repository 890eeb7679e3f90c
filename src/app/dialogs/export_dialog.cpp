// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/export_dialog.h"

#include <QFileDialog>

#include "dialogs/file_dialogs.h"

namespace veltrasko {
namespace {

struct ExportFileType {
  const char* Filter;
  const char* Extension;
};
constexpr ExportFileType ExportFileTypes[] = {
    {"Comma seperated file (*.csv)", "csv"},
    {"Text file (*.txt)", "txt"},
};

void SelectFileType(QFileDialog& dialog, const QString& filter) {
  for (const ExportFileType& type : ExportFileTypes)
    if (filter == type.Filter) dialog.setDefaultSuffix(type.Extension);
}

}  // namespace

QFileDialog* MakeExportDialog(QWidget& parent) {
  auto* dialog = new QFileDialog(&parent);
  dialog->setObjectName("Export");
  dialog->setWindowTitle("Export data");
  // The toolkit's own dialog behaves the same on every desktop and can be
  // driven by the program's tests.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setSizeGripEnabled(true);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const ExportFileType& type : ExportFileTypes) filters << type.Filter;
  dialog->setNameFilters(filters);
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                   [dialog](const QString& filter) { SelectFileType(*dialog, filter); });
  return dialog;
}

std::optional<std::string> AskExportPath(QFileDialog& dialog, std::string_view proposedName) {
  dialog.selectNameFilter(ExportFileTypes[0].Filter);
  SelectFileType(dialog, ExportFileTypes[0].Filter);
  return AskSavePath(dialog, proposedName);
}

}  // namespace veltrasko

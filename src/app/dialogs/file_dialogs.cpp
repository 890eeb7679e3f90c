// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "dialogs/save_next_dialog.h"

namespace veltrasko {

namespace {

QFileDialog* SetUp(QFileDialog* dialog, const char* name, const QString& folder, const char* filter) {
  dialog->setObjectName(name);
  // The toolkit's own dialog behaves the same on every desktop and can be
  // driven by the program's tests.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setSizeGripEnabled(true);
  dialog->setDirectory(folder);
  dialog->setNameFilters({filter});
  return dialog;
}

}  // namespace

QFileDialog* MakeOpenDialog(QWidget& parent, const QString& folder) {
  QFileDialog* dialog = SetUp(new QFileDialog(&parent), "OpenDialog1", folder, "Veltrasko record  (*.vrc)");
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  return dialog;
}

QFileDialog* MakeSaveNextDialog(QWidget& parent, const QString& folder) {
  QFileDialog* dialog = SetUp(new SaveNextDialog(parent), "SaveDialog1", folder, "Veltrasko record (*.vrc)");
  dialog->setWindowTitle("Save next session as");
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setDefaultSuffix("vrc");
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  return dialog;
}

QFileDialog* MakeFitExportDialog(QWidget& parent) {
  QFileDialog* dialog = SetUp(new QFileDialog(&parent), "ExportFit", QDir::homePath(), "FIT activity (*.fit)");
  dialog->setWindowTitle("Export FIT");
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setDefaultSuffix("fit");
  return dialog;
}

std::optional<std::string> AskSavePath(QFileDialog& dialog, std::string_view proposedName) {
  const QString proposal =
      QFile::decodeName(QByteArray(proposedName.data(), static_cast<qsizetype>(proposedName.size())));
  const QFileInfo proposed(proposal);
  const bool withFolder = proposal.contains('/');
  dialog.setDirectory(withFolder ? proposed.path() : QDir::homePath());
  dialog.selectFile(withFolder ? proposed.fileName() : proposal);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace veltrasko

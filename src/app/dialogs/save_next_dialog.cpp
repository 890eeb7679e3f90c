// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/save_next_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>
#include <string_view>

#include "session/session_recorder.h"

namespace veltrasko {
namespace {

// They break file names on removable media and in shells.
constexpr std::string_view ForbiddenNameCharacters = "?*:\"<>|\\";

bool HoldsForbiddenCharacter(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  return std::any_of(ForbiddenNameCharacters.begin(), ForbiddenNameCharacters.end(),
                     [&name](char c) { return name.contains(QLatin1Char(c)); });
}

// Why path cannot be the base of the record files, or empty when it can;
// typed is the name field's text the path was made of.
QString SaveNameFault(const QString& path, const QString& typed) {
  const QFileInfo file(path);
  if (HoldsForbiddenCharacter(path) || HoldsForbiddenCharacter(typed))
    return "A record file name may not contain any of the characters ? * : \" < > | \\";
  if (!QFileInfo(file.path()).isDir()) return QString("The folder %1 does not exist!").arg(file.path());
  // The recorder keeps the whole path, ".vrc" included, in a buffer of this size.
  if (QFile::encodeName(path).size() >= static_cast<qsizetype>(BaseNameCapacity))
    return QString("Folder and name are too long: at most %1 bytes are allowed!").arg(BaseNameCapacity - 1);
  return {};
}

}  // namespace

SaveNextDialog::SaveNextDialog(QWidget& parent) : QFileDialog(&parent) {}

void SaveNextDialog::accept() {
  const QStringList chosen = selectedFiles();
  // A folder typed into the name field is opened by the dialog, not chosen.
  if (!chosen.isEmpty() && !QFileInfo(chosen.constFirst()).isDir()) {
    // The dialog takes quotes as marks around several names, so a quote
    // typed never reaches the chosen path: what was typed is checked too.
    const auto* nameField = findChild<QLineEdit*>("fileNameEdit");
    const QString fault = SaveNameFault(chosen.constFirst(), nameField != nullptr ? nameField->text() : QString());
    if (!fault.isEmpty()) {
      QMessageBox box(QMessageBox::Warning, windowTitle(), fault, QMessageBox::Ok, this);
      box.exec();
      return;
    }
  }
  QFileDialog::accept();
}

}  // namespace veltrasko

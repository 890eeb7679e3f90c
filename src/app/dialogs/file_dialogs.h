// SPDX-License-Identifier: GPL-3.0-or-later
// The window's file dialogs, made once and kept, so each remembers its last
// folder and file name between uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QFileDialog;
class QString;
class QWidget;

namespace veltrasko {

// OpenDialog1: an existing record file.
QFileDialog* MakeOpenDialog(QWidget& parent, const QString& folder);
// SaveDialog1: "Save next session as"; no overwrite question, since the
// chosen name is only the base of the numbered record files, but a name
// those files cannot have is refused.
QFileDialog* MakeSaveNextDialog(QWidget& parent, const QString& folder);
// "Export FIT": a FIT activity file, asked before one is replaced.
QFileDialog* MakeFitExportDialog(QWidget& parent);

// Shows a save dialog with the proposed name (a name without a directory
// starts in the user's home folder); the chosen path, or nothing when
// cancelled.
std::optional<std::string> AskSavePath(QFileDialog& dialog, std::string_view proposedName);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The window's file dialogs, made once and kept, so each remembers its last
// folder and file name between uses.
#pragma once

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

}  // namespace veltrasko

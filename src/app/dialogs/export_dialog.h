// SPDX-License-Identifier: GPL-3.0-or-later
// The "Export data" file dialog: made once and kept, it offers the two file
// types, proposes a name and asks before replacing an existing file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QFileDialog;
class QWidget;

namespace veltrasko {

QFileDialog* MakeExportDialog(QWidget& parent);

// Shows the dialog with the proposed name (a name without a directory starts
// in the user's home folder) and the first file type selected; a name typed
// without an extension gets the selected type's. The chosen path, or nothing
// when cancelled.
std::optional<std::string> AskExportPath(QFileDialog& dialog, std::string_view proposedName);

}  // namespace veltrasko

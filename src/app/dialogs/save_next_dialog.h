// SPDX-License-Identifier: GPL-3.0-or-later
// SaveDialog1, "Save next session as". The name chosen is the base of the
// numbered record files: the dialog refuses, with a message, a name whose
// folder is missing, that the recorder could not make files of, or that
// breaks file names on removable media and in shells; it stays open with
// the name for the user to correct.
#pragma once

#include <QFileDialog>

namespace veltrasko {

class SaveNextDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit SaveNextDialog(QWidget& parent);

  // Checks the chosen name before the dialog's own acceptance.
  void accept() override;
};

}  // namespace veltrasko

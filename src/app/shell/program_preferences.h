// SPDX-License-Identifier: GPL-3.0-or-later
// The program's INI file: the preferences that the 22-byte settings file
// has no room for, each under a key of its own. Read when asked, written the
// moment a preference changes. A file that cannot be written is silent, as
// the settings file is: the program runs on with the choice in memory.
#pragma once

#include <QSettings>
#include <QString>

namespace veltrasko {

class ProgramPreferences {
 public:
  explicit ProgramPreferences(const QString& path);

  bool Flag(const QString& key, bool fallback) const;
  void SetFlag(const QString& key, bool value);

 private:
  QSettings ini_;
};

}  // namespace veltrasko

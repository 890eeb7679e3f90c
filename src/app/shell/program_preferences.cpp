// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program_preferences.h"

namespace veltrasko {

ProgramPreferences::ProgramPreferences(const QString& path) : ini_(path, QSettings::IniFormat) {}

// Only what SetFlag writes counts; anything else in a hand-edited file is
// taken as no choice made.
bool ProgramPreferences::Flag(const QString& key, bool fallback) const {
  const QString text = ini_.value(key).toString();
  if (text == "true") return true;
  if (text == "false") return false;
  return fallback;
}

void ProgramPreferences::SetFlag(const QString& key, bool value) {
  ini_.setValue(key, value);
  // At once, so a choice outlives a program that is killed.
  ini_.sync();
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// The session summary as text that pastes into a spreadsheet in columns: a
// figure a line, its name and values separated by tabs, one block per
// session under the heading "Session N", its 500 m splits as a table. Times
// read h:mm:ss.t, pace and split times m:ss.t; numbers take the user's
// decimal symbol, so that a spreadsheet reads them as numbers.
#pragma once

#include <string>

#include "export/export_writer.h"
#include "settings/user_settings.h"

namespace veltrasko {

// The record file, the paddler's name and date, then every session of the
// source's strokes. Empty when there is no stroke.
std::string SummaryText(const ExportSource& source, const UserSettings& settings);

}  // namespace veltrasko

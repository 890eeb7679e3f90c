// SPDX-License-Identifier: GPL-3.0-or-later
// The personal data of the opened record file: taken from the frames the
// reader meets, and changed by appending a new frame to that file.
#pragma once

#include <string_view>

#include "session/analyser_core.h"
#include "screen/screen_sinks.h"
#include "settings/personal_data.h"

namespace veltrasko {

// A personal-data frame read from the file replaces FilePersonalData (so the
// last frame of a file counts); the dialog's file column follows once the
// dialog has been shown. Clears FilePersonalChanged.
void TakeFilePersonalData(AnalyserCore& core, SessionDialogs& dialogs, const PersonalData& received);

// Stores the file column's name and fan resistance (an empty text as " ") in
// FilePersonalData and appends it as a new frame to the opened record file.
// Weight and date stay as read from the file. False, with FilePersonalData
// unchanged, when the file cannot be written.
bool AppendFilePersonalData(AnalyserCore& core, std::string_view nameText, std::string_view fanText);

// The text a name or fan resistance field is stored with: an empty one as " ".
std::string_view StoredPersonalText(std::string_view text);

}  // namespace veltrasko

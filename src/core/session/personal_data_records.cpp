// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/personal_data_records.h"

#include "session/record_file.h"

namespace veltrasko {

void TakeFilePersonalData(AnalyserCore& core, SessionDialogs& dialogs, const PersonalData& received) {
  core.File.FilePersonalData = received;
  if (core.PersonalMarks.PersonalDialogShown) dialogs.ShowFilePersonalData(core.File.FilePersonalData);
  core.PersonalMarks.FilePersonalChanged = 0;
}

std::string_view StoredPersonalText(std::string_view text) { return text.empty() ? " " : text; }

bool AppendFilePersonalData(AnalyserCore& core, std::string_view nameText, std::string_view fanText) {
  PersonalData changed = core.File.FilePersonalData;
  changed.SetText(PersonNameField, StoredPersonalText(nameText));
  changed.SetText(FanResistanceField, StoredPersonalText(fanText));
  if (!AppendPersonalDataFrame(core.File.FileHeader.FileName.View(), changed)) return false;
  core.File.FilePersonalData = changed;
  return true;
}

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/analyser_core.h"

#include <utility>

#include "session/record_file.h"

namespace veltrasko {

namespace {

// A name or fan resistance field is stored with at least one character.
std::string_view StoredPersonalText(std::string_view text) { return text.empty() ? " " : text; }

}  // namespace

std::string NextSessionProposal(CalendarDate today) { return CompactDateText(today) + "_?"; }

ViewChange AnalyserCore::ShowOnlineGraph() {
  const bool switched = session_.OnlineShown == 0;
  session_.OnlineShown = 1;
  return switched ? Shown(true) : ViewChange{};
}

ViewChange AnalyserCore::ShowFileGraph() {
  const bool switched = session_.OnlineShown == 1;
  session_.OnlineShown = 0;
  return switched ? Shown(false) : ViewChange{};
}

ViewChange AnalyserCore::RedrawView() { return Shown(OnlineShown()); }

ViewChange AnalyserCore::Shown(bool online) {
  // The full counts, as the recorder and the reader show them.
  if (online) {
    // While the box is away the panel keeps saying so.
    return {&onlineStrokes_, StrokesText(session_.DisplayedStrokeCount), WeightText(session_.OnlineHeader.Weight),
            session_.Box.Away ? BoxAwayHint : session_.OnlineHeader.RecordFileName.View()};
  }
  return {&fileStrokes_, StrokesText(file_.DisplayedFileStrokeCount), WeightText(file_.FileHeader.Weight),
          file_.FileHeader.FileName.View()};
}

SaveNextResult AnalyserCore::Savenext(const std::optional<std::string>& chosen) {
  // An empty name saves nothing: it counts as a cancel.
  if (!chosen || chosen->empty()) return {};
  session_.SaveDialogFileName = *chosen;
  session_.SaveNameChosen = 1;
  // While the box is away the panel keeps saying so; the name waits for its return.
  return {true, session_.DisplayedStrokeCount == 0, session_.Box.Away ? BoxAwayHint : ResetBoxHint};
}

void AnalyserCore::DisconnectBox() {
  if (session_.Record.IsOpen()) {
    session_.Record.Close();
    session_.NewFileNeeded = 1;
  }
  session_.SessionOpen = 0;
  session_.Box = {};
}

BoxLostNotice AnalyserCore::BoxLost() {
  // The file stays open: the box powered by the ergometer counts on while
  // its cable is out, and its next strokes belong to the same session.
  session_.Box.Away = 1;
  if (!session_.Record.IsOpen()) return {BoxAwayHint, {}};
  return {BoxAwayHint, session_.OnlineHeader.RecordFileName.View()};
}

StatusText AnalyserCore::ResumeBox() {
  session_.Box.Away = 0;
  // A box lost before it confirmed has not been asked about yet: its
  // confirmation is the first one.
  session_.Box.ReturnUnconfirmed = session_.Box.Confirmed;
  if (OnlineShown()) return SessionFileOrHint();
  StatusText text;
  text.Append(file_.FileHeader.FileName.View());
  return text;
}

bool AnalyserCore::ReturnConfirmed() { return std::exchange(session_.Box.ReturnUnconfirmed, 0) == 1; }

StatusText AnalyserCore::SessionFileOrHint() const {
  StatusText text;
  if (session_.Record.IsOpen()) {
    if (session_.Record.WriteFailed()) return RecordNotWrittenText(session_.OnlineHeader.RecordFileName.View());
    text.Append(session_.OnlineHeader.RecordFileName.View());
  } else if (session_.SessionOpen == 1 && session_.Saving == 0) {
    text.Append(NotSavingHint);
  } else {
    // No session yet, or its file could not be made: the next reset starts one.
    text.Append(ResetBoxHint);
  }
  return text;
}

std::string_view AnalyserCore::StampOnlineDate(CalendarDate today) {
  StampSessionDate(session_.OnlinePersonalData, today);
  return session_.OnlinePersonalData.SessionDate();
}

void AnalyserCore::PersonalDataShown() {
  // Filling the file column has set the mark; nothing was edited yet.
  personalMarks_.FilePersonalChanged = 0;
  personalMarks_.PersonalDialogShown = 1;
}

FileColumnApply AnalyserCore::ApplyPersonalData(std::string_view onlineName, std::string_view onlineFan) {
  session_.OnlinePersonalData.SetText(PersonNameField, StoredPersonalText(onlineName));
  session_.OnlinePersonalData.SetText(FanResistanceField, StoredPersonalText(onlineFan));
  if (!personalMarks_.FilePersonalChanged) return FileColumnApply::Unchanged;
  personalMarks_.FilePersonalChanged = 0;
  const PersonalData& stored = file_.FilePersonalData;
  const bool nothingStored = stored.PersonName().empty() && stored.FanResistance().empty();
  return nothingStored ? FileColumnApply::Store : FileColumnApply::Ask;
}

bool AnalyserCore::StoreFilePersonalData(std::string_view nameText, std::string_view fanText) {
  PersonalData changed = file_.FilePersonalData;
  changed.SetText(PersonNameField, StoredPersonalText(nameText));
  changed.SetText(FanResistanceField, StoredPersonalText(fanText));
  if (!AppendPersonalDataFrame(file_.FileHeader.FileName.View(), changed)) return false;
  file_.FilePersonalData = changed;
  return true;
}

void AnalyserCore::TakeFilePersonalData(SessionDialogs& dialogs, const PersonalData& received) {
  file_.FilePersonalData = received;
  if (personalMarks_.PersonalDialogShown) dialogs.ShowFilePersonalData(file_.FilePersonalData);
  personalMarks_.FilePersonalChanged = 0;
}

}  // namespace veltrasko

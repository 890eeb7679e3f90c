// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_recorder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "session/record_file.h"

namespace veltrasko {

namespace {

constexpr std::string_view VersionRefusedText =
    "This program do not work with veltrasko box versions below ver. 1.18";
constexpr std::string_view OpenFailedText = "Error In Opening File";
constexpr std::string_view NotSavingText =
    " Not saving session data!  Choose 'File->Save next..' to save next session.";

// Status texts are formatted on the stack: the data path allocates nothing.
using StatusChars = std::array<char, 512>;

std::string_view Formatted(const StatusChars& chars, int length) {
  if (length < 0) return {};
  return {chars.data(), std::min(static_cast<std::size_t>(length), chars.size() - 1)};
}

}  // namespace

SessionRecorder::SessionRecorder(AnalyserCore& core, ScreenSinks& sinks, DateSource today)
    : core_(core), sinks_(sinks), today_(std::move(today)) {}

void SessionRecorder::OnBytesReceived(StreamBuffer& chunk) {
  // One scan hands out at most one frame. A report that carries several
  // frames would leave the later ones waiting for the next report, and a box
  // that keeps sending bursts would overflow the carry buffer and lose
  // strokes: so scan on while frames come out of the bytes already held.
  ScanResult result;
  do {
    result = core_.Scanner.ScanFrame(chunk, 0, stroke_, personal_, start_);
    TakeFrame(result);
  } while (FrameTaken(result));
}

void SessionRecorder::TakeFrame(ScanResult result) {
  if (result == ScanStroke) {
    if (sessionStartHandled_ && core_.Session.SessionOpen == 1) TakeStroke();
  } else if (result == ScanSessionStart) {
    if (!TakeSessionStart()) return;
  }
  core_.Session.DisplayedStrokeCount = core_.Session.StrokeCount;
}

void SessionRecorder::TakeStroke() {
  SessionState& session = core_.Session;
  StrokeTable& table = core_.OnlineStrokes;
  StrokeRow& row = table.WorkingRow();
  const StrokeResult result =
      core_.Computer.ComputeStroke(row, stroke_, session.PreviousStroke, session.HeartRateFactor);

  // Every stroke that arrived goes to the file, rows or not: reading the file
  // back repeats the same computation and rejects the same messages.
  if (session.Saving == 1) {
    WriteStrokeFrame(session.Record, stroke_);
    fileHoldsStrokes_ = fileHoldsStrokes_ || session.Record.IsOpen();
    ReportWriteFailure();
  }

  if (result != StrokeRepeat) CopyStrokeMessage(session.PreviousStroke, stroke_);
  // A full table keeps its rows; strokes beyond it are on file but neither
  // stored nor plotted, so the graphs always show what the table holds.
  const bool stored = result == StrokeAccepted && table.Count() < StrokeTableCapacity;
  if (stored && session.OnlineShown == 1) {
    sinks_.Graphs.PlotStroke(row);
    sinks_.Graphs.UpdateAxes();
  }
  table.FinishStroke(result == StrokeAccepted);
  SyncStrokeCount();

  if (session.OnlineShown == 1) ShowNumber(StatusPanel::Strokes, " Strokes: %d", static_cast<int>(session.StrokeCount));
}

bool SessionRecorder::TakeSessionStart() {
  SessionState& session = core_.Session;
  session.SessionOpen = 1;

  if (start_.BoxVersion() < OldestBoxVersion) {
    // Refused sessions are neither shown nor recorded: no stroke may land in
    // the file or the table of the session before.
    session.SessionOpen = 0;
    sinks_.Messages.ShowMessage(VersionRefusedText);
    return false;
  }
  session.HeartRateFactor = HeartRateFactorOf(start_.BoxVersion());
  sessionStartHandled_ = true;

  if (session.SaveDialogFileName.empty()) {
    ShowNotSaving();
    return true;
  }

  session.Saving = 1;
  bool remake = false;
  if (session.NewFileNeeded == 0) {
    const bool newData =
        start_.Weight() != session.PreviousWeight || core_.PersonalMarks.OnlinePersonalChanged != 0;
    if (session.StrokeCount > 1 || session.SaveNameChosen == 1 ||
        (session.StrokeCount == 0 && newData && fileHoldsStrokes_)) {
      session.Record.Close();
      session.NewFileNeeded = 1;
    } else if (session.StrokeCount == 0 && newData) {
      // The file this run made for the session just closed holds no stroke:
      // it is made again under its own number, with the new data.
      remake = true;
      session.NewFileNeeded = 1;
    }
    // Otherwise the new session is appended to the running file.
  }
  session.PreviousWeight = start_.Weight();

  if (session.NewFileNeeded == 1) return CreateRecordFile(remake);
  return true;
}

void SessionRecorder::ShowNotSaving() {
  SessionState& session = core_.Session;
  session.Saving = 0;
  ++session.FileCounter;
  core_.OnlineStrokes.MarkEmpty();
  SyncStrokeCount();
  session.DisplayedStrokeCount = 0;
  ClearStrokeMessage(session.PreviousStroke);
  session.OnlineHeader.Weight = start_.Weight();
  // A record file still open stays open and is not written.
  ShowNewSession(NotSavingText);
}

bool SessionRecorder::FormRecordFileName() {
  SessionState& session = core_.Session;
  std::string_view base = session.SaveDialogFileName;
  if (base.size() >= BaseNameCapacity) return false;
  // The dialog's name ends in ".vrc"; the number goes in front of it.
  if (base.size() >= 4) base.remove_suffix(4);

  std::array<char, BaseNameCapacity + 32> name;
  const int length = std::snprintf(name.data(), name.size(), "%.*s_%02i.vrc", static_cast<int>(base.size()),
                                   base.data(), static_cast<int>(session.FileCounter));
  if (length < 0 || static_cast<std::size_t>(length) >= name.size()) return false;
  return session.OnlineHeader.RecordFileName.Assign(std::string_view(name.data(), static_cast<std::size_t>(length)));
}

bool SessionRecorder::CreateNextFreeFile(bool& named) {
  SessionState& session = core_.Session;
  for (;;) {
    named = FormRecordFileName();
    if (!named) return false;
    switch (session.Record.CreateNew(session.OnlineHeader.RecordFileName.View())) {
      case RecordFile::CreateResult::Created:
        return true;
      case RecordFile::CreateResult::Failed:
        return false;
      case RecordFile::CreateResult::NameTaken:
        // An earlier session, of this run or another, or another program's
        // file: never replaced. Past 99 the numbers simply grow a digit.
        if (session.FileCounter == LastFileNumber) return false;
        ++session.FileCounter;
        break;
    }
  }
}

bool SessionRecorder::CreateRecordFile(bool remake) {
  SessionState& session = core_.Session;
  ClearStrokeMessage(session.PreviousStroke);
  core_.OnlineStrokes.MarkEmpty();
  SyncStrokeCount();
  if (session.SaveNameChosen == 1) {
    session.FileCounter = 0;
    session.SaveNameChosen = 0;
  }

  bool named = remake;
  const bool created = remake ? session.Record.Restart() : CreateNextFreeFile(named);
  session.OnlineHeader.Weight = start_.Weight();
  if (!created) {
    session.Record.Close();
    sinks_.Messages.ShowMessage(OpenFailedText);
    // The session is still shown; the status bar must not go on naming a
    // file that is not being written.
    StatusChars text;
    const std::string_view attempted =
        named ? session.OnlineHeader.RecordFileName.View() : std::string_view(session.SaveDialogFileName);
    const int length = std::snprintf(text.data(), text.size(), " Not saving! Could not create %.*s",
                                     static_cast<int>(std::min<std::size_t>(attempted.size(), 400)),
                                     attempted.data());
    session.OnlineHeader.RecordFileName.Assign("");
    ShowNewSession(Formatted(text, length));
    return true;
  }
  writeFailureReported_ = false;
  fileHoldsStrokes_ = false;

  const std::string weightText = WeightFieldText(start_.Weight());
  session.OnlinePersonalData.SetText(WeightTextField, weightText);
  sinks_.Dialogs.ShowOnlineWeight(weightText);
  WritePersonalDataFrame(session.Record, session.OnlinePersonalData, today_(), core_.PersonalMarks);
  WriteSessionStartFrame(session.Record, start_);

  // A file made again keeps its number, and the counter stays past it.
  if (!remake) ++session.FileCounter;
  session.NewFileNeeded = 0;
  session.OnlineHeader.BoxVersion = start_.BoxVersion();
  ShowNewSession(session.OnlineHeader.RecordFileName.View());
  ReportWriteFailure();
  return true;
}

void SessionRecorder::ShowNewSession(std::string_view fileOrHint) {
  const SessionState& session = core_.Session;
  if (session.OnlineShown != 1) return;
  sinks_.Graphs.ClearGraphs();
  sinks_.Graphs.UndoZoom();
  sinks_.Graphs.UpdateAxes();
  ShowNumber(StatusPanel::Strokes, " Strokes: %d", 0);
  ShowNumber(StatusPanel::Weight, " Weight: %d Kg", session.OnlineHeader.Weight);
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, fileOrHint);
}

void SessionRecorder::ReportWriteFailure() {
  const SessionState& session = core_.Session;
  // While the file view is shown the notice waits for the online view.
  if (writeFailureReported_ || !session.Record.WriteFailed() || session.OnlineShown != 1) return;
  StatusChars text;
  const std::string_view path = session.OnlineHeader.RecordFileName.View();
  const int length = std::snprintf(text.data(), text.size(), " Not saving! Could not write %.*s",
                                   static_cast<int>(path.size()), path.data());
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, Formatted(text, length));
  writeFailureReported_ = true;
}

void SessionRecorder::ShowNumber(StatusPanel panel, const char* format, int value) {
  StatusChars text;
  const int length = std::snprintf(text.data(), text.size(), format, value);
  sinks_.Status.ShowStatus(panel, Formatted(text, length));
}

void SessionRecorder::SyncStrokeCount() { core_.Session.StrokeCount = core_.OnlineStrokes.Count(); }

}  // namespace veltrasko

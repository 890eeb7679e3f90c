// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_recorder.h"

#include <array>
#include <cstdio>
#include <utility>

#include "screen/program_texts.h"
#include "session/record_file.h"

namespace veltrasko {

SessionRecorder::SessionRecorder(AnalyserCore& core, ScreenSinks& sinks, DateSource today)
    : core_(core), sinks_(sinks), today_(std::move(today)) {}

void SessionRecorder::OnBytesReceived(StreamBuffer& chunk) {
  // One scan hands out at most one frame. A report that carries several
  // frames would leave the later ones waiting for the next report, and a box
  // that keeps sending bursts would overflow the carry buffer and lose
  // strokes: so scan on while frames come out of the bytes already held.
  ScanResult result;
  do {
    result = core_.scanner_.ScanFrame(chunk, 0, stroke_, personal_, start_);
    TakeFrame(result);
  } while (FrameTaken(result));
}

void SessionRecorder::TakeFrame(ScanResult result) {
  if (result == ScanStroke) {
    if (sessionStartHandled_ && core_.session_.SessionOpen == 1) TakeStroke();
  } else if (result == ScanSessionStart) {
    if (!TakeSessionStart()) return;
  }
  core_.session_.DisplayedStrokeCount = core_.session_.StrokeCount;
}

void SessionRecorder::TakeStroke() {
  SessionState& session = core_.session_;
  StrokeTable& table = core_.onlineStrokes_;
  StrokeRow& row = table.WorkingRow();
  const StrokeResult result =
      core_.computer_.ComputeStroke(row, stroke_, session.PreviousStroke, session.HeartRateFactor);

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

  if (session.OnlineShown == 1) sinks_.Status.ShowStatus(StatusPanel::Strokes, StrokesText(session.StrokeCount).View());
}

bool SessionRecorder::TakeSessionStart() {
  SessionState& session = core_.session_;
  session.SessionOpen = 1;

  if (start_.BoxVersion() < OldestBoxVersion) {
    // Refused sessions are neither shown nor recorded: no stroke may land in
    // the file or the table of the session before.
    session.SessionOpen = 0;
    sinks_.Messages.ShowMessage(VersionRefusedMessage);
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
    const bool newData = start_.Weight() != session.PreviousWeight || core_.personalMarks_.OnlinePersonalChanged != 0;
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
  SessionState& session = core_.session_;
  session.Saving = 0;
  // Counting stops at the last number rather than turning negative.
  if (session.FileCounter < LastFileNumber) ++session.FileCounter;
  core_.onlineStrokes_.MarkEmpty();
  SyncStrokeCount();
  session.DisplayedStrokeCount = 0;
  ClearStrokeMessage(session.PreviousStroke);
  session.OnlineHeader.Weight = start_.Weight();
  // A record file still open stays open and is not written.
  ShowNewSession(NotSavingHint);
}

bool SessionRecorder::FormRecordFileName() {
  SessionState& session = core_.session_;
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
  SessionState& session = core_.session_;
  for (;;) {
    named = FormRecordFileName();
    if (!named) return false;
    switch (session.Record.CreateNew(session.OnlineHeader.RecordFileName.View())) {
      case RecordFile::CreateResult::Created: return true;
      case RecordFile::CreateResult::Failed: return false;
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
  SessionState& session = core_.session_;
  ClearStrokeMessage(session.PreviousStroke);
  core_.onlineStrokes_.MarkEmpty();
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
    sinks_.Messages.ShowMessage(RecordNotCreatedMessage);
    // The session is still shown; the status bar must not go on naming a
    // file that is not being written.
    const StatusText text = RecordNotCreatedText(named ? session.OnlineHeader.RecordFileName.View()
                                                       : std::string_view(session.SaveDialogFileName));
    session.OnlineHeader.RecordFileName.Assign("");
    ShowNewSession(text.View());
    return true;
  }
  writeFailureReported_ = false;
  fileHoldsStrokes_ = false;

  const std::string weightText = WeightFieldText(start_.Weight());
  session.OnlinePersonalData.SetText(WeightTextField, weightText);
  sinks_.Dialogs.ShowOnlineWeight(weightText);
  WritePersonalDataFrame(session.Record, session.OnlinePersonalData, today_(), core_.personalMarks_);
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
  const SessionState& session = core_.session_;
  if (session.OnlineShown != 1) return;
  sinks_.Graphs.ClearGraphs();
  sinks_.Graphs.UndoZoom();
  sinks_.Graphs.UpdateAxes();
  sinks_.Status.ShowStatus(StatusPanel::Strokes, StrokesText(0).View());
  sinks_.Status.ShowStatus(StatusPanel::Weight, WeightText(session.OnlineHeader.Weight).View());
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, fileOrHint);
}

void SessionRecorder::ReportWriteFailure() {
  const SessionState& session = core_.session_;
  // While the file view is shown the notice waits for the online view.
  if (writeFailureReported_ || !session.Record.WriteFailed() || session.OnlineShown != 1) return;
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint,
                           RecordNotWrittenText(session.OnlineHeader.RecordFileName.View()).View());
  writeFailureReported_ = true;
}

void SessionRecorder::SyncStrokeCount() { core_.session_.StrokeCount = core_.onlineStrokes_.Count(); }

}  // namespace veltrasko

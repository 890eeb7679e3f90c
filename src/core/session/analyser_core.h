// SPDX-License-Identifier: GPL-3.0-or-later
// The long-lived state of the program that needs no window: created once at
// start-up and kept for the whole run; a test builds a fresh one. Its state
// is private: the screen reads it through the const view and changes it only
// through the operations below. The recorder, the reader and the handshake
// are the core's parts that act on the box's and the files' frames.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "protocol/frame_scanner.h"
#include "screen/program_texts.h"
#include "screen/screen_sinks.h"
#include "session/session_state.h"
#include "session/stroke_computation.h"
#include "session/stroke_table.h"
#include "settings/personal_data.h"
#include "settings/user_settings.h"

namespace veltrasko {

// What a view switch asks of the graphs.
struct ViewChange {
  // The table whose strokes the emptied graphs plot again; none: the series stay.
  const StrokeTable* Replot = nullptr;
  // The panels' texts for the view now shown, when Replot is set.
  StatusText Strokes;
  StatusText Weight;
  std::string_view FileOrHint;
};

// What "Save next" asks of the window.
struct SaveNextResult {
  bool NameTaken = false;  // false: cancelled, nothing changed
  bool ResetBox = false;   // no stroke yet: the box may start the new session itself
  std::string_view Hint;   // panel 4 when the name was taken
};

// What the panels say while the lost box is awaited.
struct BoxLostNotice {
  std::string_view Hint;
  std::string_view Tip;  // the file that holds the session, when one is being recorded
};

// What becomes of the Personal data dialog's file column at Apply.
enum class FileColumnApply {
  Unchanged,  // not edited: nothing to do
  Store,      // the file holds no name and fan resistance to lose
  Ask,        // the user confirms before the file's texts are replaced
};

// The proposal of the "Save next session as" dialog: "20240307_?".
std::string NextSessionProposal(CalendarDate today);

class AnalyserCore {
 public:
  // The const view.
  const UserSettings& Settings() const { return settings_; }
  const StrokeTable& OnlineStrokes() const { return onlineStrokes_; }
  const StrokeTable& FileStrokes() const { return fileStrokes_; }
  const SessionState& Session() const { return session_; }
  const FileView& File() const { return file_; }
  const PersonalDataMarks& PersonalMarks() const { return personalMarks_; }
  const LinkFlags& Flags() const { return scanner_.Flags(); }
  bool OnlineShown() const { return session_.OnlineShown == 1; }

  // The Options dialog and the settings file edit the settings in place.
  UserSettings& EditSettings() { return settings_; }
  void SetConnectionListener(ConnectionListener* listener) { scanner_.SetConnectionListener(listener); }
  // The box confirmed the connection: its frames are taken from now on.
  void ConnectionConfirmed() {
    scanner_.Flags().ConnectionState = 1;
    session_.Box.Confirmed = 1;
  }
  // Asked at each confirmation: true, once, when it comes from a box that
  // returned after it had confirmed, so the session simply goes on.
  bool ReturnConfirmed();

  // The view switches: what to replot and show; the graphs do the rest.
  ViewChange ShowOnlineGraph();
  ViewChange ShowFileGraph();
  // Replots the view shown, for a new filter or speed unit.
  ViewChange RedrawView();

  // "Save next": takes the chosen base name (none: cancelled) for the next session.
  SaveNextResult Savenext(const std::optional<std::string>& chosen);

  // Connecting a box: nothing is recorded until it reports a session start.
  void ConnectBox() {
    session_.SessionOpen = 0;
    session_.Box = {};
  }
  // The record-file half of disconnecting: the file is closed and the next
  // session start makes a new one; no report still arriving counts a stroke.
  // Ends the wait for a lost box too.
  void DisconnectBox();
  // The box was lost: the session waits for it, its record file kept open.
  BoxLostNotice BoxLost();
  // The lost box is open again: strokes it sends go on from those before,
  // into the same file. What panel 4 says again.
  StatusText ResumeBox();
  // Panel 4 of the live session: its record file, or why there is none.
  StatusText SessionFileOrHint() const;
  // Program exit: the record file is closed.
  void CloseRecordFile() { session_.Record.Close(); }

  // The Personal data dialog: the online date stamped when it opens (the
  // text returned), its columns shown with the stored texts, a column
  // edited, Apply with the typed texts, and the file column stored in the
  // opened record file (false when it cannot be written).
  std::string_view StampOnlineDate(CalendarDate today);
  void PersonalDataShown();
  void OnlinePersonalDataEdited() { personalMarks_.OnlinePersonalChanged = 1; }
  void FilePersonalDataEdited() { personalMarks_.FilePersonalChanged = 1; }
  FileColumnApply ApplyPersonalData(std::string_view onlineName, std::string_view onlineFan);
  bool StoreFilePersonalData(std::string_view nameText, std::string_view fanText);

 private:
  friend class SessionRecorder;
  friend class RecordReader;
  friend class ConnectionHandshake;
  friend struct CoreStateForTests;

  ViewChange Shown(bool online);
  // A personal-data frame read from a file replaces FilePersonalData.
  void TakeFilePersonalData(SessionDialogs& dialogs, const PersonalData& received);

  UserSettings settings_;
  FrameScanner scanner_;
  StrokeComputer computer_;
  StrokeTable onlineStrokes_;
  StrokeTable fileStrokes_;
  SessionState session_;
  FileView file_;
  PersonalDataMarks personalMarks_;
};

}  // namespace veltrasko

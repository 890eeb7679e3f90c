// SPDX-License-Identifier: GPL-3.0-or-later
// What the core needs of the screen, and nothing more: the app implements
// these on its widgets, tests with small fakes that record each call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/stroke_table.h"
#include "settings/personal_data.h"

namespace veltrasko {

// Status bar panels 1 to 4 (panel 0 is always empty).
enum class StatusPanel : int { Connection = 1, Strokes = 2, Weight = 3, FileOrHint = 4 };

class StatusSink {
 public:
  // A text stays until the panel is written again; so does its tip.
  virtual void ShowStatus(StatusPanel panel, std::string_view text) = 0;
  // The tip of the text just shown, for what the panel no longer names.
  virtual void ShowStatusTip(StatusPanel, std::string_view) {}

 protected:
  ~StatusSink() = default;
};

// A message box with one OK button.
class MessageSink {
 public:
  virtual void ShowMessage(std::string_view text) = 0;

 protected:
  ~MessageSink() = default;
};

class GraphSink {
 public:
  virtual void PlotStroke(const StrokeRow& row) = 0;
  virtual void ClearGraphs() = 0;
  virtual void UpdateAxes() = 0;
  virtual void UndoZoom() = 0;
  virtual void ShowOnlineGraph() = 0;
  virtual void ShowFileGraph() = 0;
  // Automatic scaling of the bottom axis of both graphs.
  virtual void SetBottomAxesAutomatic(bool automatic) = 0;

 protected:
  ~GraphSink() = default;
};

class SessionDialogs {
 public:
  // Brings the window to the front and asks "Save next session as" with the
  // proposed name; the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> AskSaveNextSession(std::string_view proposal) = 0;
  // The Personal data dialog's online weight field.
  virtual void ShowOnlineWeight(std::string_view weightText) = 0;
  // The Personal data dialog's file column, once the dialog has been shown.
  virtual void ShowFilePersonalData(const PersonalData& data) = 0;

 protected:
  ~SessionDialogs() = default;
};

struct ScreenSinks {
  StatusSink& Status;
  MessageSink& Messages;
  GraphSink& Graphs;
  SessionDialogs& Dialogs;
};

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/connection_handshake.h"

#include <optional>
#include <string>
#include <utility>

namespace veltrasko {

ConnectionHandshake::ConnectionHandshake(AnalyserCore& core, ScreenSinks& sinks, DateSource today)
    : core_(core), sinks_(sinks), today_(std::move(today)) {}

void ConnectionHandshake::OnConnected() {
  sinks_.Graphs.ShowOnlineGraph();
  sinks_.Status.ShowStatus(StatusPanel::Connection, "Connected");
  // The online window sets the bottom axes from now on.
  sinks_.Graphs.SetBottomAxesAutomatic(false);
  if (core_.Session.SaveNameChosen == 0) AskSaveName();
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, " Reset the ergo computer.");
  core_.Scanner.Flags().ConnectionState = 1;
}

void ConnectionHandshake::AskSaveName() {
  SessionState& session = core_.Session;
  const std::optional<std::string> chosen = sinks_.Dialogs.AskSaveNextSession(CompactDateText(today_()) + "_?");
  // An empty name saves nothing, so it counts as a cancel: the next name
  // chosen must still restart the numbering.
  if (chosen.has_value() && !chosen->empty()) {
    session.SaveDialogFileName = *chosen;
    session.SaveNameChosen = 1;
  } else {
    session.SaveDialogFileName.clear();
  }
}

}  // namespace veltrasko

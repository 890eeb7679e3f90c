// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/connection_handshake.h"

#include <optional>
#include <string>
#include <utility>

#include "screen/program_texts.h"

namespace veltrasko {

ConnectionHandshake::ConnectionHandshake(AnalyserCore& core, ScreenSinks& sinks, DateSource today)
    : core_(core), sinks_(sinks), today_(std::move(today)) {}

void ConnectionHandshake::OnConnected() {
  sinks_.Graphs.ShowOnlineGraph();
  sinks_.Status.ShowStatus(StatusPanel::Connection, ConnectedText);
  // The online window sets the bottom axes from now on.
  sinks_.Graphs.SetBottomAxesAutomatic(false);
  if (core_.ReturnConfirmed()) {
    // The box came back to a session that goes on: nothing to ask, and the
    // panel names the session's file again.
    sinks_.Status.ShowStatus(StatusPanel::FileOrHint, core_.SessionFileOrHint().View());
  } else {
    if (core_.Session().SaveNameChosen == 0) AskSaveName();
    sinks_.Status.ShowStatus(StatusPanel::FileOrHint, ResetBoxHint);
  }
  core_.ConnectionConfirmed();
}

void ConnectionHandshake::AskSaveName() {
  const std::optional<std::string> chosen = sinks_.Dialogs.AskSaveNextSession(NextSessionProposal(today_()));
  // Cancelled here, the sessions are not saved; the next name chosen must
  // still restart the numbering.
  if (!core_.Savenext(chosen).NameTaken) core_.session_.SaveDialogFileName.clear();
}

}  // namespace veltrasko

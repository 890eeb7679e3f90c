// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does when the box confirms a connection: show the live
// session, say "Connected" and, unless a name was chosen already, ask where
// the next session is to be saved.
#pragma once

#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"
#include "session/analyser_core.h"
#include "session/session_recorder.h"

namespace veltrasko {

class ConnectionHandshake final : public ConnectionListener {
 public:
  ConnectionHandshake(AnalyserCore& core, ScreenSinks& sinks, DateSource today = Today);

  void OnConnected() override;

 private:
  void AskSaveName();

  AnalyserCore& core_;
  ScreenSinks& sinks_;
  DateSource today_;
};

}  // namespace veltrasko

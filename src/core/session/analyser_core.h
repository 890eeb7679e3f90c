// SPDX-License-Identifier: GPL-3.0-or-later
// The long-lived state of the program that needs no window: created once at
// start-up and kept for the whole run; a test builds a fresh one.
#pragma once

#include "protocol/frame_scanner.h"
#include "session/session_state.h"
#include "session/stroke_computation.h"
#include "session/stroke_table.h"
#include "settings/personal_data.h"
#include "settings/user_settings.h"

namespace veltrasko {

struct AnalyserCore {
  UserSettings Settings;
  FrameScanner Scanner;
  StrokeComputer Computer;
  StrokeTable OnlineStrokes;
  StrokeTable FileStrokes;
  SessionState Session;
  FileView File;
  PersonalDataMarks PersonalMarks;
};

}  // namespace veltrasko

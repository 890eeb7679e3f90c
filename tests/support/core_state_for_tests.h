// SPDX-License-Identifier: GPL-3.0-or-later
// A way into the core's private state for the few tests that need a state
// no sequence of frames reaches in reasonable time: a table of arbitrary or
// a hundred thousand rows, the last file number, a scanner already past a
// session start. Everything else goes through the core's operations.
#pragma once

#include "session/analyser_core.h"

namespace veltrasko {

struct CoreStateForTests {
  static StrokeTable& OnlineStrokes(AnalyserCore& core) { return core.onlineStrokes_; }
  static StrokeTable& FileStrokes(AnalyserCore& core) { return core.fileStrokes_; }
  static SessionState& Session(AnalyserCore& core) { return core.session_; }
  static FileView& File(AnalyserCore& core) { return core.file_; }
  static FrameScanner& Scanner(AnalyserCore& core) { return core.scanner_; }
  static LinkFlags& Flags(AnalyserCore& core) { return core.scanner_.Flags(); }
};

}  // namespace veltrasko

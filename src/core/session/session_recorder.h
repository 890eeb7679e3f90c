// SPDX-License-Identifier: GPL-3.0-or-later
// The live side of a session: takes every chunk of bytes the box delivers,
// computes and plots its stroke, and at each reset of the box decides whether
// the record file goes on or the next numbered file is created.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"
#include "session/analyser_core.h"
#include "settings/personal_data.h"

namespace veltrasko {

// Boxes older than this cannot be used.
inline constexpr std::int16_t OldestBoxVersion = 117;

// The highest record file number; when every number from the counter up to
// it is taken, no file can be created.
inline constexpr std::int16_t LastFileNumber = INT16_MAX;

// The base name of record files is kept in a buffer of this size, terminator included.
inline constexpr std::size_t BaseNameCapacity = 100;

using DateSource = std::function<CalendarDate()>;

class SessionRecorder {
 public:
  SessionRecorder(AnalyserCore& core, ScreenSinks& sinks, DateSource today = Today);

  // One chunk from the box: every complete frame it brings is acted on.
  void OnBytesReceived(StreamBuffer& chunk);

 private:
  void TakeFrame(ScanResult result);
  void TakeStroke();
  // False when the frame is refused and the chunk's handling stops.
  bool TakeSessionStart();
  void ShowNotSaving();
  // False when the name needs more room than its buffers have.
  bool FormRecordFileName();
  // remake: empty the open file and write it again under its own name.
  bool CreateRecordFile(bool remake);
  // Creates the file of the lowest free number from FileCounter on.
  // named: whether RecordFileName holds the name tried last.
  bool CreateNextFreeFile(bool& named);
  void ShowNewSession(std::string_view fileOrHint);
  void ReportWriteFailure();
  void SyncStrokeCount();

  AnalyserCore& core_;
  ScreenSinks& sinks_;
  DateSource today_;
  // Strokes are taken only once a session start was handled since program
  // start; the file counter cannot tell, as a file that could not be created
  // leaves it at 0 while the session is shown.
  bool sessionStartHandled_ = false;
  // The user hears once per file that it cannot be written any more.
  bool writeFailureReported_ = false;
  // A stroke frame went to the open file, even one that made no row: such
  // a file is never emptied to be made again.
  bool fileHoldsStrokes_ = false;
  StrokeMessage stroke_;
  PersonalData personal_;
  SessionStartMessage start_;
};

}  // namespace veltrasko

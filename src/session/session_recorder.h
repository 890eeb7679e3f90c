// The live side of a session: takes every chunk of bytes the box delivers,
// computes and plots its stroke, and at each reset of the box decides whether
// the record file goes on or the next numbered file is created.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"
#include "session/analyser_core.h"
#include "session/screen_sinks.h"
#include "settings/personal_data.h"

namespace veltrasko {

// Boxes older than this cannot be used; exactly this version sends the heart
// rate divided by five.
inline constexpr std::int16_t OldestBoxVersion = 117;
inline constexpr std::int16_t OldHeartRateBoxFactor = 5;

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
  bool CreateRecordFile();
  void ShowNewSession(std::string_view fileOrHint);
  void ReportWriteFailure();
  void ShowNumber(StatusPanel panel, const char* format, int value);
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
  StrokeMessage stroke_;
  PersonalData personal_;
  SessionStartMessage start_;
};

}  // namespace veltrasko

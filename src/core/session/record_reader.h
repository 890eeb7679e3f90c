// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a record file and runs its bytes through a frame scanner and the
// stroke computation exactly as the live stream is processed, filling the
// file view's table, header and personal data and plotting while it reads.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "protocol/frame_scanner.h"
#include "screen/screen_sinks.h"
#include "session/analyser_core.h"
#include "session/session_state.h"

namespace veltrasko {

enum class RecordOpenResult { Shown, Unreadable };

class RecordReader {
 public:
  RecordReader(AnalyserCore& core, ScreenSinks& sinks);

  // Reads the file and shows it as the file view, or shows that it could not
  // be opened; a file without a good session start counts as unreadable.
  RecordOpenResult OpenRecordFile(std::string_view path);
  // True when the file yielded a session-start frame.
  bool ReadRecordFile(std::string_view path);
  // Scans one block of file bytes and acts on the frame found, if any.
  ScanResult ParseRecordChunk(StreamBuffer& chunk);

 private:
  void TakeStroke();
  void TakeSessionStart();
  void ScanWhileFramesComplete(StreamBuffer& chunk);

  AnalyserCore& core_;
  ScreenSinks& sinks_;
  // A file gets a scanner of its own: bytes of a live frame half-received
  // must not run into a file, nor the tail of a damaged file into the live
  // stream or the next file, and a status frame in a file must not act on
  // the connection.
  std::optional<FrameScanner> scanner_;
  FileNameField path_;
  StrokeMessage stroke_;
  PersonalData personal_;
  SessionStartMessage start_;
  StreamBuffer block_;
  // Reading buffer: the file is read in large pieces and handed to the
  // scanner in the small blocks it expects.
  static constexpr std::size_t ReadAheadCapacity = 64 * 1024;
  std::unique_ptr<std::array<std::uint8_t, ReadAheadCapacity>> readAhead_;
};

}  // namespace veltrasko

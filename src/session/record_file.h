// The record file of the live session: an owned file descriptor written one
// frame per unbuffered write, so that every stroke that reached the program is
// on disk even if the program is killed a moment later.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/box_messages.h"
#include "protocol/frame_scanner.h"
#include "settings/personal_data.h"

namespace veltrasko {

class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile() { Close(); }

  // Creates the file anew (an existing one is replaced); false if it cannot be.
  bool Create(std::string_view path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Writes one whole frame: the tag, then the payload. A failed or short
  // write is remembered, not retried.
  void WriteFrame(const FrameTag& tag, std::span<const std::uint8_t> payload);
  bool WriteFailed() const { return writeFailed_; }

 private:
  int fd_ = -1;
  bool writeFailed_ = false;
};

void WritePersonalDataFrame(RecordFile& file, PersonalData& data, CalendarDate today,
                            PersonalDataMarks& marks);
void WriteSessionStartFrame(RecordFile& file, const SessionStartMessage& message);
void WriteStrokeFrame(RecordFile& file, const StrokeMessage& message);

// Appends a personal-data frame to an existing file; false (and nothing
// written) when the file cannot be opened for writing.
bool AppendPersonalDataFrame(std::string_view path, const PersonalData& data);

}  // namespace veltrasko

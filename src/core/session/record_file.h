// SPDX-License-Identifier: GPL-3.0-or-later
// The record file of the live session: an owned file descriptor written one
// frame per unbuffered write, so that every stroke that reached the program is
// on disk even if the program is killed a moment later.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "files/file_descriptor.h"
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

  enum class CreateResult { Created, NameTaken, Failed };

  // Creates a file that does not exist yet; a name already taken (by a file,
  // a folder or a link) is never opened, so no earlier session is replaced
  // and two programs never write one file.
  CreateResult CreateNew(std::string_view path);
  // Creates the file anew, replacing an existing one: for tools that write
  // the output they were told to; false if it cannot be.
  bool Create(std::string_view path);
  // Empties the open file, to write it again from its start; false if no
  // file is open or it cannot be emptied.
  bool Restart();
  // Opens an existing file for appending; false if it does not exist or
  // cannot be written.
  bool OpenForAppend(std::string_view path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // Writes one whole frame, the tag and then the payload, in one write call
  // (continued after an interruption or a short write). A failure is
  // remembered until the next Create or OpenForAppend; a closed file writes nothing.
  void WriteFrame(const FrameTag& tag, std::span<const std::uint8_t> payload);
  bool WriteFailed() const { return writeFailed_; }

 private:
  bool Open(std::string_view path, int flags);

  FileDescriptor file_;
  bool writeFailed_ = false;
};

// Stamps today's date into the data, writes it and clears OnlinePersonalChanged.
void WritePersonalDataFrame(RecordFile& file, PersonalData& data, CalendarDate today, PersonalDataMarks& marks);
void WriteSessionStartFrame(RecordFile& file, const SessionStartMessage& message);
void WriteStrokeFrame(RecordFile& file, const StrokeMessage& message);

// Appends a personal-data frame to an existing file; false when the file
// cannot be opened for writing (nothing written) or the write failed.
bool AppendPersonalDataFrame(std::string_view path, const PersonalData& data);

}  // namespace veltrasko

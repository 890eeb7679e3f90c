// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the live session and of the record file last opened; plain
// records owned by the long-lived core and touched on the main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/box_messages.h"
#include "session/record_file.h"
#include "settings/personal_data.h"

namespace veltrasko {

inline constexpr std::size_t FileNameCapacity = 200;  // paths of up to 199 bytes

// A zero-terminated path in a fixed 200-byte field.
struct FileNameField {
  std::array<char, FileNameCapacity> Chars{};

  std::string_view View() const;
  // False (and the field unchanged) when the path does not fit.
  bool Assign(std::string_view path);
};

struct OnlineHeaderRecord {
  std::int16_t BoxVersion = 0;
  std::int16_t Weight = 0;
  FileNameField RecordFileName;
};

struct FileHeaderRecord {
  std::int16_t BoxVersion = 0;
  std::int16_t Weight = 0;
  FileNameField FileName;
};

// The box the user chose, as its connection lasts across an unplug.
struct BoxConnection {
  std::uint8_t Confirmed = 0;  // it has confirmed the connection since it was chosen
  std::uint8_t Away = 0;       // lost: the session waits for it with its record file open
  // Back after it had confirmed: its next confirmation continues the session.
  std::uint8_t ReturnUnconfirmed = 0;
};

struct SessionState {
  std::uint8_t SessionOpen = 0;
  std::int16_t FileCounter = 0;
  std::uint32_t StrokeCount = 0;
  // The count the status texts show: the full count, never cut to 16 bits.
  std::uint32_t DisplayedStrokeCount = 0;
  std::int16_t PreviousWeight = 0;
  std::uint8_t NewFileNeeded = 1;
  std::uint8_t Saving = 1;
  std::uint8_t SaveNameChosen = 0;
  // The file name held by the "Save next session as" dialog: the base name of
  // the next record files; empty while sessions are not saved.
  std::string SaveDialogFileName;
  std::uint8_t OnlineShown = 1;
  std::int16_t HeartRateFactor = 1;
  RecordFile Record;
  OnlineHeaderRecord OnlineHeader;
  StrokeMessage PreviousStroke;
  PersonalData OnlinePersonalData;
  BoxConnection Box;
};

struct FileView {
  FileHeaderRecord FileHeader;
  std::uint32_t FileStrokeCount = 0;
  std::uint32_t DisplayedFileStrokeCount = 0;
  std::int16_t FileSessionsSeen = 0;
  StrokeMessage PreviousFileStroke;
  PersonalData FilePersonalData;
};

}  // namespace veltrasko

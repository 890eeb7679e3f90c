// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <utility>

namespace veltrasko {

namespace {

// The largest frame a record file holds: a personal-data frame.
constexpr std::size_t MaxFramePayload = PersonalDataLength;

// open() needs a terminated path; a stack copy keeps the data path free of allocation.
using PathChars = std::array<char, PATH_MAX>;
bool TerminatedPath(std::string_view path, PathChars& out) {
  if (path.empty() || path.size() >= out.size() || path.find('\0') != std::string_view::npos) return false;
  std::copy(path.begin(), path.end(), out.begin());
  out[path.size()] = '\0';
  return true;
}

}  // namespace

bool RecordFile::Open(std::string_view path, int flags) {
  Close();
  writeFailed_ = false;
  PathChars terminated;
  if (!TerminatedPath(path, terminated)) {
    errno = EINVAL;  // callers tell a taken name from other failures by errno
    return false;
  }
  FileOpening opening = FileDescriptor::Open(terminated.data(), flags);
  file_ = std::move(opening.File);
  errno = opening.Error;
  return file_.IsOpen();
}

RecordFile::CreateResult RecordFile::CreateNew(std::string_view path) {
  if (Open(path, O_WRONLY | O_CREAT | O_EXCL)) return CreateResult::Created;
  return errno == EEXIST ? CreateResult::NameTaken : CreateResult::Failed;
}

bool RecordFile::Create(std::string_view path) { return Open(path, O_WRONLY | O_CREAT | O_TRUNC); }

bool RecordFile::Restart() {
  if (!file_.IsOpen()) return false;
  writeFailed_ = false;
  int result;
  do {
    result = ::ftruncate(file_.Get(), 0);
  } while (result != 0 && errno == EINTR);
  return result == 0 && ::lseek(file_.Get(), 0, SEEK_SET) == 0;
}

bool RecordFile::OpenForAppend(std::string_view path) { return Open(path, O_WRONLY | O_APPEND); }

void RecordFile::Close() {
  if (!file_.Close()) writeFailed_ = true;
}

void RecordFile::WriteFrame(const FrameTag& tag, std::span<const std::uint8_t> payload) {
  if (!file_.IsOpen()) return;
  if (payload.size() > MaxFramePayload) {
    writeFailed_ = true;
    return;
  }
  std::array<std::uint8_t, std::tuple_size_v<FrameTag> + MaxFramePayload> frame;
  std::copy(tag.begin(), tag.end(), frame.begin());
  std::copy(payload.begin(), payload.end(), frame.begin() + tag.size());

  if (!file_.WriteFully(frame.data(), tag.size() + payload.size())) {
    writeFailed_ = true;
    return;
  }
  // A file whose name or folder was removed takes writes without error, yet
  // no one can ever read them: that is a failed write too.
  struct stat status;
  if (::fstat(file_.Get(), &status) != 0 || status.st_nlink == 0) writeFailed_ = true;
}

void WritePersonalDataFrame(RecordFile& file, PersonalData& data, CalendarDate today, PersonalDataMarks& marks) {
  StampSessionDate(data, today);
  file.WriteFrame(PersonalDataTag, data.Bytes);
  marks.OnlinePersonalChanged = 0;
}

void WriteSessionStartFrame(RecordFile& file, const SessionStartMessage& message) {
  file.WriteFrame(SessionStartTag, message.Bytes);
}

void WriteStrokeFrame(RecordFile& file, const StrokeMessage& message) { file.WriteFrame(StrokeTag, message.Bytes); }

bool AppendPersonalDataFrame(std::string_view path, const PersonalData& data) {
  RecordFile file;
  if (!file.OpenForAppend(path)) return false;
  file.WriteFrame(PersonalDataTag, data.Bytes);
  file.Close();
  return !file.WriteFailed();
}

}  // namespace veltrasko

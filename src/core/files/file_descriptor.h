// SPDX-License-Identifier: GPL-3.0-or-later
// An owned file descriptor: closed when it goes, read and written whole, so
// that neither a signal nor a short transfer leaves part of a file read or
// written. The one way the program opens, reads and writes its files.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace veltrasko {

struct FileOpening;

class FileDescriptor {
 public:
  FileDescriptor() = default;
  // Takes over a descriptor opened elsewhere (mkstemp, pipe).
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }

  // open() with O_CLOEXEC added, begun again after an interruption.
  static FileOpening Open(const char* path, int flags, mode_t mode = 0666);

  bool IsOpen() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  // Gives the descriptor up without closing it.
  int Release();
  // False when close reports lost data; an interrupted close counts as
  // closed, as the descriptor is gone either way.
  bool Close();

  // Reads until the buffer is full or the file ends (or fails); the count
  // of bytes read.
  std::size_t ReadFully(void* buffer, std::size_t length) const;
  // Writes every byte; false on the first failure.
  bool WriteFully(const void* buffer, std::size_t length) const;

 private:
  int fd_ = -1;
};

// The opened file, or the errno of the failed open.
struct FileOpening {
  FileDescriptor File;
  int Error = 0;
};

}  // namespace veltrasko

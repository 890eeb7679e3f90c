// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace veltrasko {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

FileOpening FileDescriptor::Open(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return {FileDescriptor(), errno};
  return {FileDescriptor(fd), 0};
}

int FileDescriptor::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool FileDescriptor::Close() {
  if (fd_ < 0) return true;
  // Never retried: on Linux the descriptor is released even when close is
  // interrupted, and a retry could close one another thread just opened.
  return ::close(Release()) == 0 || errno == EINTR;
}

std::size_t FileDescriptor::ReadFully(void* buffer, std::size_t length) const {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::read(fd_, bytes + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool FileDescriptor::WriteFully(const void* buffer, std::size_t length) const {
  const auto* bytes = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd_, bytes + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace veltrasko

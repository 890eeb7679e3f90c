// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/full_io.h"

#include <unistd.h>

#include <cerrno>

namespace veltrasko {

std::size_t ReadFully(int fd, void* buffer, std::size_t length) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::read(fd, bytes + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool WriteFully(int fd, const void* buffer, std::size_t length) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd, bytes + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace veltrasko

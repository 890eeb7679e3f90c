// SPDX-License-Identifier: GPL-3.0-or-later
// Whole reads and writes on a file descriptor: a short transfer or a signal
// never leaves part of a file read or written.
#pragma once

#include <cstddef>

namespace veltrasko {

// Reads until the buffer is full or the file ends; the count of bytes read.
std::size_t ReadFully(int fd, void* buffer, std::size_t length);

// Writes every byte; false on the first failure.
bool WriteFully(int fd, const void* buffer, std::size_t length);

}  // namespace veltrasko

// SPDX-License-Identifier: GPL-3.0-or-later
// Output gathered in one large buffer and handed to the file in few big
// writes: for files written in many small lines, such as an export.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "files/file_descriptor.h"

namespace veltrasko {

class BufferedWriter {
 public:
  BufferedWriter(const FileDescriptor& file, std::size_t capacity);

  // Takes the bytes; false once any write to the file has failed.
  bool Write(std::string_view bytes);
  // Writes what is gathered; false once any write has failed.
  bool Flush();

 private:
  const FileDescriptor& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t filled_ = 0;
  bool failed_ = false;
};

}  // namespace veltrasko

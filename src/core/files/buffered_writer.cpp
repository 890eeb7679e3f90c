// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/buffered_writer.h"

#include <algorithm>

namespace veltrasko {

BufferedWriter::BufferedWriter(const FileDescriptor& file, std::size_t capacity)
    : file_(file), buffer_(std::make_unique<char[]>(capacity)), capacity_(capacity) {}

bool BufferedWriter::Write(std::string_view bytes) {
  if (filled_ + bytes.size() > capacity_) Flush();
  // More than the whole buffer goes straight to the file.
  if (bytes.size() > capacity_) {
    failed_ = !file_.WriteFully(bytes.data(), bytes.size()) || failed_;
    return !failed_;
  }
  std::copy(bytes.begin(), bytes.end(), buffer_.get() + filled_);
  filled_ += bytes.size();
  return !failed_;
}

bool BufferedWriter::Flush() {
  if (filled_ > 0) failed_ = !file_.WriteFully(buffer_.get(), filled_) || failed_;
  filled_ = 0;
  return !failed_;
}

}  // namespace veltrasko

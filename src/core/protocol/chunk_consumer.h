// SPDX-License-Identifier: GPL-3.0-or-later
// Where the reader's bytes go on the main thread: one call per input report,
// in arrival order, never two at once.
#pragma once

#include "protocol/frame_scanner.h"

namespace veltrasko {

class ChunkConsumer {
 public:
  virtual void OnBytesReceived(StreamBuffer& chunk) = 0;

 protected:
  ~ChunkConsumer() = default;
};

// Hands the chunks on to anything that takes them the same way, such as the
// session recorder, which knows nothing of the link.
template <typename Receiver>
class ChunksTo final : public ChunkConsumer {
 public:
  explicit ChunksTo(Receiver& receiver) : receiver_(receiver) {}
  void OnBytesReceived(StreamBuffer& chunk) override { receiver_.OnBytesReceived(chunk); }

 private:
  Receiver& receiver_;
};

}  // namespace veltrasko

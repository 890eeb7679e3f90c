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

}  // namespace veltrasko

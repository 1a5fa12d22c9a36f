#pragma once
// Cuts a TCP byte stream into SimConnect messages by their leading size field.
// Bytes may arrive in any pieces: several messages in one read, one message
// over several reads.
#include <cstdint>

#include "sim/simconnect/wire_bytes.h"

namespace tfx::simconnect {

class MessageFramer {
 public:
  // Sizes below minSize (the header) or above maxSize are faults of the peer.
  MessageFramer(uint32_t minSize, uint32_t maxSize) : minSize_(minSize), maxSize_(maxSize) {}

  void append(ByteView bytes);

  enum class Result { Message, NeedMore, BadSize };
  // Message: `message` holds the next whole message. BadSize: the stream is
  // unusable from here on; badSize() tells the size field that was read.
  Result next(Bytes& message);
  uint32_t badSize() const { return badSize_; }
  size_t buffered() const { return buffer_.size() - start_; }

 private:
  uint32_t minSize_;
  uint32_t maxSize_;
  Bytes buffer_;
  size_t start_ = 0;
  uint32_t badSize_ = 0;
};

}  // namespace tfx::simconnect

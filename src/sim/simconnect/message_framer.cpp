#include "sim/simconnect/message_framer.h"

namespace tfx::simconnect {

void MessageFramer::append(ByteView bytes) {
  // Drop what was consumed before growing, so the buffer holds at most one
  // partial message plus the new bytes.
  if (start_ > 0) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

MessageFramer::Result MessageFramer::next(Bytes& message) {
  if (buffered() < 4) return Result::NeedMore;
  ByteReader reader(ByteView(buffer_).subspan(start_, 4));
  const uint32_t size = reader.u32(0);
  if (size < minSize_ || size > maxSize_) {
    badSize_ = size;
    return Result::BadSize;
  }
  if (buffered() < size) return Result::NeedMore;
  const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
  message.assign(first, first + size);
  start_ += size;
  return Result::Message;
}

}  // namespace tfx::simconnect

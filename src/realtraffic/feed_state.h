#pragma once
// The state of a feed reader as the status area shows it.
#include <cstdint>

namespace tfx {

enum FeedState : int32_t {
  kFeedNotStarted = 0,
  kFeedReceiving = 1,
  // Set by the main program thread when the datagram counter stood still.
  kFeedNoData = 2,
  kFeedStopped = 3,
};

}  // namespace tfx

#include "realtraffic/feed_reset.h"

namespace tfx {

void resetFeedState(FeedReaders readers) {
  readers.weather.lastQnh = kStandardQnh;
  readers.traffic.feed.lastTimestamp = 0.0;
  readers.traffic.feed.clearSeenCallsigns();
  readers.weather.stopFlag = false;
  readers.traffic.stopFlag = false;
  readers.weather.state = kFeedNotStarted;
  readers.traffic.state = kFeedNotStarted;
}

}  // namespace tfx

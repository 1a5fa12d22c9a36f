#pragma once
// The session's feed readers and the clean start they get whenever RealTraffic
// (re)connects.
#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_reader.h"

namespace tfx {

struct FeedReaders {
  WeatherReader& weather;
  TrafficReader& traffic;
};

// QNH back to 1013, the feed's last time to 0, seenCallsigns emptied, stop
// flags cleared, both feed states back to "not started".
void resetFeedState(FeedReaders readers);

}  // namespace tfx

#pragma once
// The traffic feed's decision for one datagram: split, check, convert and
// filter it into a report, or drop it. Pure logic on the datagram and the feed
// state, used by the traffic reader and by the diagnostic and test tools.
#include <optional>
#include <string_view>

#include "realtraffic/traffic_feed_state.h"
#include "realtraffic/traffic_report.h"

namespace tfx {

// The report the datagram yields (not yet stamped), or nullopt when it is
// dropped. A bad field drops the datagram with the log line
// "exception in processLineSub: {}". Reads the traffic radius (RANGE).
std::optional<TrafficReport> decodeTrafficDatagram(std::string_view datagram, TrafficFeedState& state);

// The true airspeed assumed for an altitude when the feed has none.
double estimatedTas(double altitudeFeet);

}  // namespace tfx

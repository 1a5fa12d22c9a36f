#pragma once
// "Traffic Reader": receives the traffic feed and queues the accepted reports.
#include <cstdint>

#include "realtraffic/traffic_feed_state.h"
#include "realtraffic/traffic_queue.h"
#include "realtraffic/udp_reader.h"

namespace tfx {

inline constexpr uint16_t kTrafficFeedPort = 49005;

class TrafficReader : public UdpReader {
 public:
  TrafficReader(TrafficQueue& queue, uint16_t port, bool loopbackOnly);

  // Reference position, park airport, callsign collection and last time of the feed.
  TrafficFeedState feed;

 protected:
  void process(std::string_view datagram) override;

 private:
  TrafficQueue& queue_;
};

}  // namespace tfx

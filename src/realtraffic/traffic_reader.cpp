#include "realtraffic/traffic_reader.h"

#include <utility>

#include "realtraffic/traffic_decoder.h"

namespace tfx {

TrafficReader::TrafficReader(TrafficQueue& queue, uint16_t port, bool loopbackOnly)
    : UdpReader("Traffic Reader", port, loopbackOnly), queue_(queue) {}

void TrafficReader::process(std::string_view datagram) {
  if (auto report = decodeTrafficDatagram(datagram, feed)) queue_.offer(std::move(*report));
}

}  // namespace tfx

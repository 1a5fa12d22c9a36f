#pragma once
// "QNH Reader": receives the weather feed and publishes its QNH.
#include <atomic>
#include <cstdint>

#include "realtraffic/published_qnh.h"
#include "realtraffic/udp_reader.h"

namespace tfx {

inline constexpr uint16_t kWeatherFeedPort = 49004;

class WeatherReader : public UdpReader {
 public:
  WeatherReader(uint16_t port, bool loopbackOnly);

  // The last accepted QNH (hPa); back to 1013 whenever RealTraffic (re)connects.
  std::atomic<int32_t> lastQnh{kStandardQnh};

 protected:
  void process(std::string_view datagram) override;
};

}  // namespace tfx

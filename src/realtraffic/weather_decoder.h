#pragma once
// The weather feed's decision for one datagram: a JSON object whose "QNH"
// member (hPa, or inches of mercury x 100) becomes the published QNH.
#include <atomic>
#include <cstdint>
#include <string_view>

namespace tfx {

// What the decoding reads and changes besides the datagram.
struct WeatherFeedTargets {
  // The last accepted QNH (hPa); only the weather reader's thread writes it
  // while the reader runs.
  std::atomic<int32_t>& lastQnh;
  // The weather reader's state: "no data" becomes "receiving" on a good QNH.
  std::atomic<int32_t>& feedState;
};

// Decodes the datagram and publishes a new QNH; bad datagrams are logged and skipped.
void decodeWeatherDatagram(std::string_view datagram, WeatherFeedTargets targets);

}  // namespace tfx

#pragma once
// One accepted report of the traffic feed, as the traffic reader queues it.
#include <array>
#include <cstdint>
#include <string>

namespace tfx {

struct TrafficReport {
  // Left empty by the reader, for the consumer's own use.
  std::array<std::string, 3> consumerTexts{};
  std::string type{};  // empty for "null", "0" and "ZZZZ"
  std::string origin{};
  std::string destination{};
  std::string callsign{};
  std::string registration{};  // at most 12 characters
  double lat = 0.0;  // degrees
  double lon = 0.0;
  double altitude = 0.0;  // feet, 0 on the ground
  double groundSpeed = 0.0;  // knots
  double track = 0.0;  // degrees, 0 when unknown
  double verticalSpeed = 0.0;  // as received
  double tas = 0.0;  // knots, estimated when the feed has none
  int32_t stamp = 0;  // due cycle: the cycle number at queuing time + 3000
  bool airborne = false;
  bool hasTrueHeading = false;
  double roll = 0.0;  // radians, the feed's sign inverted, when hasRoll; else the raw value
  bool hasRoll = false;
  double trueHeading = 0.0;  // radians, 0 < value <= 2 pi, when hasTrueHeading
  double timestamp = 0.0;  // the feed's time of the report, seconds
  uint32_t hexid = 0;
};

}  // namespace tfx

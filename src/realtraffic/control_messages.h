#pragma once
// The messages of the RealTraffic control channel and the reading of the
// client's version answer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tfx {

inline constexpr std::string_view kVersionRequest = "Qs999=version\r\n";
inline constexpr std::string_view kExitRequest = "exit\r\n";

// The user aircraft as RealTraffic is told about it.
struct UserPosition {
  double pitch = 0.0;  // radians
  double bank = 0.0;  // radians
  double trueHeading = 0.0;  // radians
  double altitude = 0.0;  // feet
  double groundSpeed = 0.0;  // knots
  double lat = 0.0;  // degrees
  double lon = 0.0;  // degrees
};

// Known once the position is off the (0, 0) point by more than 0.0001 degrees.
bool isKnownPosition(const UserPosition& user);

// "Qs121=...": pitch and bank x 100000, heading, altitude x 1000, ground
// speed x 1000, latitude and longitude in radians.
std::string userPositionMessage(const UserPosition& user);

// "Qs123=" with the simulator's UTC time in seconds since 1970.
std::string simTimeMessage(int64_t seconds);

struct VersionAnswer {
  bool professional = false;
  // "RT{} edition: {}" for an answer that is a JSON object, else empty.
  std::string editionText;
};

// The client's answer to the version request (not empty).
VersionAnswer readVersionAnswer(std::string_view answer);

}  // namespace tfx

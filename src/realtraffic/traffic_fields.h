#pragma once
// The traffic feed's wire format: one report per datagram, ASCII fields
// separated by ',' (none quoted or trimmed). The numbers of the fields the
// program reads; the others carry whatever the sender puts there.
#include <cstddef>
#include <string_view>

namespace tfx::traffic_fields {

inline constexpr size_t kHexid = 1;  // decimal 24-bit transponder address
inline constexpr size_t kLat = 2;  // degrees
inline constexpr size_t kLon = 3;  // degrees
inline constexpr size_t kAltitude = 4;  // feet
inline constexpr size_t kVerticalSpeed = 5;  // feet per minute
inline constexpr size_t kTrack = 7;  // degrees; may be empty
inline constexpr size_t kGroundSpeed = 8;  // knots
inline constexpr size_t kCallsign = 9;
inline constexpr size_t kType = 10;
inline constexpr size_t kRegistration = 11;
inline constexpr size_t kOrigin = 12;
inline constexpr size_t kDestination = 13;
inline constexpr size_t kTimestamp = 14;  // seconds since 1970
inline constexpr size_t kSourceKind = 17;
inline constexpr size_t kTas = 20;  // knots; -1 unknown
inline constexpr size_t kRoll = 23;  // degrees; -1 or 0 none
inline constexpr size_t kTrueHeading = 25;  // degrees
inline constexpr size_t kCategory = 28;  // emitter category code

// A datagram needs at least this many fields.
inline constexpr size_t kFieldCount = 29;

// The source kind whose true heading is trusted.
inline constexpr std::string_view kAdsbIcao = "adsb_icao";
// Text fields without a value.
inline constexpr std::string_view kNull = "null";

}  // namespace tfx::traffic_fields

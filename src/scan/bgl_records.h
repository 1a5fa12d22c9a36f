#pragma once
// What a BGL file says about its airports, as stored: packed values stay
// packed so that a writer can give the same bytes back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tfx::scan {

inline constexpr std::uint16_t kAirportRecord = 0x003C;
inline constexpr std::uint16_t kAirportRecordV5 = 0x00AB;
inline constexpr std::uint16_t kNameSubrecord = 0x0019;
inline constexpr std::uint16_t kHelipadSubrecord = 0x0026;
inline constexpr std::uint16_t kParkingSubrecord = 0x003D;
inline constexpr std::uint16_t kParkingSubrecordV5 = 0x00AD;

struct BglParking {
  std::uint32_t flags = 0;  // name code, pushback, type, number, airline-code count
  float radius = 0.0F;      // metres
  float heading = 0.0F;     // degrees
  std::array<float, 4> teeOffsets{};
  std::uint32_t packedLon = 0;
  std::uint32_t packedLat = 0;
  std::optional<std::int32_t> altitudeMm;  // v5 entries only
  std::vector<std::string> airlines;

  int nameCode() const { return static_cast<int>(flags & 0x3FU); }
  int type() const { return static_cast<int>((flags >> 8) & 0xFU); }
  int number() const { return static_cast<int>((flags >> 12) & 0xFFFU); }
};

struct BglHelipad {
  std::array<std::uint8_t, 6> surfaceAndFlags{};
  std::uint32_t packedLon = 0;
  std::uint32_t packedLat = 0;
  std::int32_t altitudeMm = 0;
  float length = 0.0F;   // metres
  float size = 0.0F;     // metres (width)
  float heading = 0.0F;  // degrees; 0 stands for a full circle
};

struct BglAirport {
  std::uint16_t recordId = 0;  // kAirportRecord or kAirportRecordV5
  std::uint32_t packedIdent = 0;
  std::string ident;  // as decoded, also when not valid
  bool identValid = false;
  std::string name;
  std::uint32_t packedLon = 0;
  std::uint32_t packedLat = 0;
  std::int32_t elevationMm = 0;
  std::vector<BglHelipad> helipads;  // those met before the parking subrecord
  std::vector<BglParking> parkings;
};

}  // namespace tfx::scan

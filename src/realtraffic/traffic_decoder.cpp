#include "realtraffic/traffic_decoder.h"

#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "core/log.h"
#include "core/parameters.h"
#include "realtraffic/excluded_types.h"
#include "realtraffic/traffic_fields.h"

namespace tfx {
namespace {

namespace f = traffic_fields;
using Fields = std::array<std::string_view, f::kFieldCount>;

// Ground traffic farther than this from the park airport is not shown.
constexpr double kParkAirportGroundRadiusNm = 5.0;
// Altitudes at or above this are never taken for the ground.
constexpr double kGroundDecisionCeilingFeet = 14000.0;
// The ground elevation assumed while the park airport's is unknown.
constexpr double kUnknownGroundElevationFeet = -1000.0;
constexpr size_t kMaxRegistrationLength = 12;
// Hexids up to this belong to the program's static parked aircraft.
constexpr uint32_t kHighestStaticHexid = 10000;

// Cuts the fields the decoding reads as views into the datagram; the last one
// read ends at the next ',' or at the end. Returns how many were found.
size_t splitFields(std::string_view datagram, Fields& fields) {
  size_t count = 0;
  size_t start = 0;
  while (count < fields.size()) {
    const size_t comma = datagram.find(',', start);
    if (comma == std::string_view::npos) {
      fields[count++] = datagram.substr(start);
      break;
    }
    fields[count++] = datagram.substr(start, comma - start);
    start = comma + 1;
  }
  return count;
}

// A field holding nothing but a finite decimal number. Anything else (blanks,
// trailing text, "nan", "inf", out of range) is a conversion error, so no
// garbage reaches the motion of an aircraft.
std::optional<double> toNumber(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

double numberField(std::string_view text, std::string_view name) {
  if (const auto value = toNumber(text)) return *value;
  throw std::runtime_error(fmt::format("{}:{}", name, text));
}

std::string_view withoutNull(std::string_view text) { return text == f::kNull ? std::string_view{} : text; }

bool isDroppedCategory(std::string_view category) {
  return category == "B1" || category == "B2" || category == "B4" || category == "C1" || category == "C2";
}

// Radians in (0, 2 pi]; nullopt for a negative heading, which the feed uses for "none".
std::optional<double> trueHeadingRadians(std::string_view text) {
  const double degrees = numberField(text, "trueheading");
  if (degrees == 0.0) return kTwoPi;
  if (degrees > 360.0) throw std::runtime_error(fmt::format("trueheading: {:.2f}", degrees));
  if (degrees > 0.0) return degrees * kDegToRad;
  return std::nullopt;
}

uint32_t hexidField(std::string_view text) {
  uint32_t value = 0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) throw std::runtime_error(fmt::format("hexid incorrect{}", text));
  return value;
}

bool decidedOnGround(double altitude, double groundSpeed, std::optional<double> groundElevation) {
  if (altitude <= 0.0) return true;
  if (altitude < kGroundDecisionCeilingFeet) {
    const double d = altitude - groundElevation.value_or(kUnknownGroundElevationFeet);
    const double height = std::abs(d);
    if (d <= 0.0 || (height <= 45.0 && groundSpeed <= 120.0) || (height <= 90.0 && groundSpeed <= 80.0) ||
        (height <= 120.0 && groundSpeed <= 43.0)) {
      return true;
    }
  }
  return groundSpeed <= 35.0;
}

std::optional<TrafficReport> decodeFields(std::string_view datagram, TrafficFeedState& state) {
  Fields fields;
  const size_t count = splitFields(datagram, fields);
  // Every field up to the category is read; a shorter datagram cannot be
  // decided and is handled like one with a bad field.
  if (count < f::kFieldCount) throw std::runtime_error(fmt::format("only {} fields", count));

  TrafficReport report;
  report.timestamp = numberField(fields[f::kTimestamp], "timestamp");
  state.lastTimestamp = report.timestamp;

  report.lat = numberField(fields[f::kLat], "lat");
  report.lon = numberField(fields[f::kLon], "lon");
  const LatLon position{report.lat, report.lon};
  if (report.lat < -90.0 || report.lat > 90.0 || report.lon < -180.0 || report.lon > 180.0 ||
      (std::abs(report.lat) <= 0.0001 && std::abs(report.lon) <= 0.0001)) {
    throw std::runtime_error(fmt::format("invalid lalo: {}", formatLatLon(position)));
  }
  if (gf_distanceNm(state.referencePosition(), position) > trafficRadius().nm.load(std::memory_order_relaxed)) {
    return std::nullopt;
  }

  const std::string_view registration = fields[f::kRegistration];
  if (registration.size() > kMaxRegistrationLength) return std::nullopt;

  const std::string_view rawCallsign = fields[f::kCallsign];
  const bool usableCallsign =
      !rawCallsign.empty() && rawCallsign != f::kNull && rawCallsign.find('@') == std::string_view::npos;
  if (state.collecting() && usableCallsign) state.addSeenCallsign(rawCallsign);

  std::string_view type = fields[f::kType];
  if (type == f::kNull || type == "0" || type == "ZZZZ") type = {};
  if (type.empty()) return std::nullopt;
  // A category code of its own drops the dropped kinds; the excluded types are
  // dropped whatever the category says, also when there is none.
  const std::string_view category = fields[f::kCategory];
  const bool hasCategory = !category.empty() && category != f::kNull;
  if (hasCategory && isDroppedCategory(category)) return std::nullopt;
  if (excludedTypes().contains(type)) return std::nullopt;

  if (fields[f::kSourceKind] == f::kAdsbIcao) {
    if (const auto heading = trueHeadingRadians(fields[f::kTrueHeading])) {
      report.trueHeading = *heading;
      report.hasTrueHeading = true;
    }
  }

  report.hexid = hexidField(fields[f::kHexid]);
  if (report.hexid <= kHighestStaticHexid) return std::nullopt;

  report.groundSpeed = numberField(fields[f::kGroundSpeed], "gs");
  const auto altitude = toNumber(fields[f::kAltitude]);
  if (!altitude) {
    throw std::runtime_error(fmt::format("altitude {} incorrect, from: {}", fields[f::kAltitude], datagram));
  }
  report.altitude = decidedOnGround(*altitude, report.groundSpeed, state.groundElevation()) ? 0.0 : *altitude;
  report.airborne = report.altitude > 0.0;

  const std::string_view callsign = usableCallsign ? rawCallsign : std::string_view{};
  if (callsign == "ERARMTR0" || callsign == "AIRPORT1") return std::nullopt;
  const std::string_view shownRegistration = withoutNull(registration);
  if (callsign.empty() && shownRegistration.empty()) return std::nullopt;

  if (!report.airborne) {
    const auto park = state.parkAirport();
    if (!park || gf_distanceNm(*park, position) > kParkAirportGroundRadiusNm) return std::nullopt;
  }

  const std::string_view track = fields[f::kTrack];
  if (!track.empty()) {
    const auto value = toNumber(track);
    if (!value) throw std::runtime_error(fmt::format("track incorrect {}", track));
    report.track = *value;
  }
  if (report.track == 0.0 && report.hasTrueHeading) report.track = report.trueHeading * kRadToDeg;

  report.verticalSpeed = numberField(fields[f::kVerticalSpeed], "vs");

  if (report.airborne) {
    const double roll = numberField(fields[f::kRoll], "roll");
    report.hasRoll = roll != -1.0 && roll != 0.0;
    report.roll = report.hasRoll ? -roll * kDegToRad : roll;
  }

  const auto tas = toNumber(fields[f::kTas]);
  if (!tas) throw std::runtime_error(fmt::format("TAS incorrect{}", fields[f::kTas]));
  report.tas = *tas == -1.0 ? estimatedTas(report.altitude) : *tas;

  // Only the text fields that are kept are copied out of the datagram.
  report.type = type;
  report.origin = withoutNull(fields[f::kOrigin]);
  report.destination = withoutNull(fields[f::kDestination]);
  report.callsign = callsign;
  report.registration = shownRegistration;
  return report;
}

}  // namespace

double estimatedTas(double altitudeFeet) {
  if (altitudeFeet <= 2000.0) return 180.0;
  if (altitudeFeet <= 5000.0) return 220.0;
  if (altitudeFeet <= 10000.0) return 250.0;
  if (altitudeFeet <= 20000.0) return 350.0;
  return 430.0;
}

std::optional<TrafficReport> decodeTrafficDatagram(std::string_view datagram, TrafficFeedState& state) {
  if (datagram.find(" VEH") != std::string_view::npos) return std::nullopt;
  try {
    return decodeFields(datagram, state);
  } catch (const std::exception& error) {
    writeLog(fmt::format("exception in processLineSub: {}", error.what()));
    return std::nullopt;
  }
}

}  // namespace tfx

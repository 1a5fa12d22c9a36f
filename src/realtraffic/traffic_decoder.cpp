#include "realtraffic/traffic_decoder.h"

#include <fmt/format.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "core/log.h"
#include "core/parameters.h"
#include "realtraffic/decimal_number.h"
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

// What one pass over the datagram finds: the fields the decoding reads, as
// views into the datagram (the last one read ends at the next ',' or at the
// end), and whether it names a vehicle (" VEH" anywhere).
struct Scan {
  size_t fieldCount = 0;
  bool vehicle = false;
};

class DatagramScanner {
 public:
  DatagramScanner(std::string_view datagram, Fields& fields) : datagram_(datagram), fields_(fields) {}

  Scan run() {
    // Eight bytes at a time: the commas and blanks of a word are found at
    // once, so the scan costs a few instructions per word, not per byte.
    static_assert(std::endian::native == std::endian::little, "the scan reads words as little-endian");
    size_t base = 0;
    for (; base + sizeof(uint64_t) <= datagram_.size(); base += sizeof(uint64_t)) {
      uint64_t word = 0;
      std::memcpy(&word, datagram_.data() + base, sizeof word);
      for (uint64_t found = bytesEqual(word, ',') | bytesEqual(word, ' '); found != 0; found &= found - 1) {
        if (!take(base + static_cast<size_t>(std::countr_zero(found)) / 8)) return scan_;
      }
    }
    for (; base < datagram_.size(); ++base) {
      const char c = datagram_[base];
      if ((c == ',' || c == ' ') && !take(base)) return scan_;
    }
    if (scan_.fieldCount < fields_.size()) fields_[scan_.fieldCount++] = datagram_.substr(start_);
    return scan_;
  }

 private:
  // The high bit of every byte of the word that equals `byte`, exactly (no
  // carries from one byte into the next).
  static uint64_t bytesEqual(uint64_t word, char byte) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t x = word ^ (0x0101010101010101ULL * static_cast<uint8_t>(byte));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
  }

  // Handles the ',' or ' ' at `position`; false once the datagram is decided a vehicle.
  bool take(size_t position) {
    if (datagram_[position] == ',') {
      if (scan_.fieldCount < fields_.size()) {
        fields_[scan_.fieldCount++] = {datagram_.data() + start_, position - start_};
      }
      start_ = position + 1;
      return true;
    }
    scan_.vehicle = datagram_.substr(position + 1, 3) == "VEH";
    return !scan_.vehicle;
  }

  std::string_view datagram_;
  Fields& fields_;
  Scan scan_;
  size_t start_ = 0;
};

double numberField(std::string_view text, std::string_view name) {
  if (const auto value = parseDecimal(text)) return *value;
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

// Fills the report; false when the datagram is dropped.
bool decodeFields(std::string_view datagram, const Fields& fields, size_t count, TrafficFeedState& state,
                  TrafficReport& report) {
  // Every field up to the category is read; a shorter datagram cannot be
  // decided and is handled like one with a bad field.
  if (count < f::kFieldCount) throw std::runtime_error(fmt::format("only {} fields", count));

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
    return false;
  }

  const std::string_view registration = fields[f::kRegistration];
  if (registration.size() > kMaxRegistrationLength) return false;

  const std::string_view rawCallsign = fields[f::kCallsign];
  const bool usableCallsign =
      !rawCallsign.empty() && rawCallsign != f::kNull && rawCallsign.find('@') == std::string_view::npos;
  if (state.collecting() && usableCallsign) state.addSeenCallsign(rawCallsign);

  std::string_view type = fields[f::kType];
  if (type == f::kNull || type == "0" || type == "ZZZZ") type = {};
  if (type.empty()) return false;
  // A category code of its own drops the dropped kinds; the excluded types are
  // dropped whatever the category says, also when there is none.
  const std::string_view category = fields[f::kCategory];
  const bool hasCategory = !category.empty() && category != f::kNull;
  if (hasCategory && isDroppedCategory(category)) return false;
  if (excludedTypes().contains(type)) return false;

  if (fields[f::kSourceKind] == f::kAdsbIcao) {
    if (const auto heading = trueHeadingRadians(fields[f::kTrueHeading])) {
      report.trueHeading = *heading;
      report.hasTrueHeading = true;
    }
  }

  report.hexid = hexidField(fields[f::kHexid]);
  if (report.hexid <= kHighestStaticHexid) return false;

  report.groundSpeed = numberField(fields[f::kGroundSpeed], "gs");
  const auto altitude = parseDecimal(fields[f::kAltitude]);
  if (!altitude) {
    throw std::runtime_error(fmt::format("altitude {} incorrect, from: {}", fields[f::kAltitude], datagram));
  }
  report.altitude = decidedOnGround(*altitude, report.groundSpeed, state.groundElevation()) ? 0.0 : *altitude;
  report.airborne = report.altitude > 0.0;

  const std::string_view callsign = usableCallsign ? rawCallsign : std::string_view{};
  if (callsign == "ERARMTR0" || callsign == "AIRPORT1") return false;
  const std::string_view shownRegistration = withoutNull(registration);
  if (callsign.empty() && shownRegistration.empty()) return false;

  if (!report.airborne) {
    const auto park = state.parkAirport();
    if (!park || gf_distanceNm(*park, position) > kParkAirportGroundRadiusNm) return false;
  }

  const std::string_view track = fields[f::kTrack];
  if (!track.empty()) {
    const auto value = parseDecimal(track);
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

  const auto tas = parseDecimal(fields[f::kTas]);
  if (!tas) throw std::runtime_error(fmt::format("TAS incorrect{}", fields[f::kTas]));
  report.tas = *tas == -1.0 ? estimatedTas(report.altitude) : *tas;

  // Only the text fields that are kept are copied out of the datagram.
  report.type = type;
  report.origin = withoutNull(fields[f::kOrigin]);
  report.destination = withoutNull(fields[f::kDestination]);
  report.callsign = callsign;
  report.registration = shownRegistration;
  return true;
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
  Fields fields;
  const Scan scan = DatagramScanner(datagram, fields).run();
  if (scan.vehicle) return std::nullopt;
  // Built in place and returned by name: the report is never copied or moved here.
  std::optional<TrafficReport> report(std::in_place);
  try {
    if (!decodeFields(datagram, fields, scan.fieldCount, state, *report)) report.reset();
  } catch (const std::exception& error) {
    writeLog(fmt::format("exception in processLineSub: {}", error.what()));
    report.reset();
  }
  return report;
}

}  // namespace tfx

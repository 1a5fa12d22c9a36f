#include "scan/bgl_stands.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>

#include "core/geodesy.h"
#include "core/log.h"
#include "scan/bgl_values.h"

namespace tfx::scan {
namespace {

constexpr double kMinRadiusM = 1.0;
constexpr double kMaxRadiusM = 200.0;
constexpr double kNullIslandDeg = 0.0001;
constexpr double kDoubleHelipadDeg = 1e-8;
constexpr int kHighestTakenType = 11;
constexpr int kCargoType = 5;
constexpr int kHighestRampType = 7;
constexpr std::string_view kSuffixes = "abcdef";
constexpr size_t kParkingNameCodes = 64;  // 6 bits
// A helipad's size is not checked like a parking radius; a size of 0 or
// junk still has to give a circle the parking code can use.
constexpr double kMinHelipadRadiusM = 5.0;
constexpr double kMaxHelipadRadiusM = 100.0;

constexpr std::array<std::string_view, 12> kNamedPrefixes{"", "r", "p", "np", "ep", "sep", "sp", "swp", "wp", "nwp", "g", ""};

bool positionInRange(const LatLon& position) {
  return std::abs(position.lat) <= 90.0 && std::abs(position.lon) <= 180.0;
}

bool atNullIsland(const LatLon& position) {
  return std::abs(position.lat) < kNullIslandDeg && std::abs(position.lon) < kNullIslandDeg;
}

// Stored headings may be any float; the stand keeps (0, 2 pi], and a heading
// of 0 (or one that is no number) stands for a full circle.
double headingRadians(float degrees) {
  if (degrees > 0.0F && degrees <= 360.0F) return degrees * kDegToRad;
  double wrapped = std::isfinite(degrees) ? std::fmod(static_cast<double>(degrees), 360.0) : 0.0;
  if (wrapped <= 0.0) wrapped += 360.0;
  return wrapped * kDegToRad;
}

class StandBuilder {
 public:
  // The stands go into `stands`, which keeps its room.
  StandBuilder(std::string_view bglPath, ScanLog& log, std::vector<airports::Stand>& stands, size_t entries)
      : bglPath_(bglPath), log_(log), stands_(stands) {
    stands_.clear();
    stands_.reserve(entries);
  }

  // Outcomes go straight into their list: copying ids around costs as much
  // as the rest of the decoding.
  void addHelipad(const BglHelipad& helipad, std::vector<LatLon>& taken, std::vector<EntryOutcome>& outcomes) {
    const LatLon position{unpackLatitude(helipad.packedLat), unpackLongitude(helipad.packedLon)};
    const std::optional<StandSkip> skip = helipadSkip(position, taken);
    if (skip) {
      outcomes.push_back({{}, skip});
      return;
    }
    taken.push_back(position);
    airports::Stand& stand = add(position, headingRadians(helipad.heading));
    stand.id = fmt::format("helipad{}", taken.size());
    const double halfSize = std::isfinite(helipad.size) ? helipad.size / 2.0 : 0.0;
    stand.radius = std::clamp(halfSize, kMinHelipadRadiusM, kMaxHelipadRadiusM) * airports::kNmPerMeter;
    stand.heli = true;
    outcomes.emplace_back().id = stand.id;
  }

  void addParking(const BglParking& parking, std::vector<EntryOutcome>& outcomes) {
    const LatLon position{unpackLatitude(parking.packedLat), unpackLongitude(parking.packedLon)};
    const std::optional<StandSkip> skip = parkingSkip(parking, position);
    if (skip) {
      outcomes.push_back({{}, skip});
      return;
    }
    airports::Stand& stand = add(position, headingRadians(parking.heading));
    assignUniqueId(parking, stand.id);
    stand.radius = parking.radius * airports::kNmPerMeter;
    stand.cargo = parking.type() == kCargoType;
    stand.ramp = parking.type() <= kHighestRampType;
    outcomes.emplace_back().id = stand.id;
  }

  // Entries that found no free suffix are named vamek1, vamek2, ... after
  // all entries are in; no parking or helipad id starts that way.
  void nameUnnamed(std::vector<EntryOutcome>& parkings) {
    int next = 1;
    for (airports::Stand& stand : stands_) {
      if (!stand.id.empty()) continue;
      stand.id = fmt::format("vamek{}", next++);
      unnamed_.push_back(&stand);
    }
    size_t unnamed = 0;
    for (EntryOutcome& outcome : parkings) {
      if (!outcome.skip && outcome.id.empty()) outcome.id = unnamed_[unnamed++]->id;
    }
  }

 private:
  std::optional<StandSkip> helipadSkip(const LatLon& position, const std::vector<LatLon>& taken) {
    if (!positionInRange(position)) {
      log_.line(fmt::format("lat/lon helipad incorrect (skipped): {:.6f},{:.6f}", position.lat, position.lon));
      return StandSkip::Position;
    }
    if (atNullIsland(position)) return StandSkip::Position;
    const bool twice = std::any_of(taken.begin(), taken.end(), [&](const LatLon& earlier) {
      return std::abs(earlier.lat - position.lat) < kDoubleHelipadDeg &&
             std::abs(earlier.lon - position.lon) < kDoubleHelipadDeg;
    });
    if (twice) {
      log_.line(fmt::format("double helipad {:.6f},{:.6f}", position.lat, position.lon));
      return StandSkip::Double;
    }
    return std::nullopt;
  }

  std::optional<StandSkip> parkingSkip(const BglParking& parking, const LatLon& position) {
    if (!(parking.radius > kMinRadiusM && parking.radius < kMaxRadiusM)) {
      log_.line(fmt::format("Skipped position with radius {:.1f} m in {}", parking.radius, bglPath_));
      return StandSkip::Radius;
    }
    if (!positionInRange(position) || atNullIsland(position)) {
      log_.line(fmt::format("LatLon {:.6f},{:.6f} invalid (skipped)", position.lat, position.lon));
      return StandSkip::Position;
    }
    if (parking.type() < 1 || parking.type() > kHighestTakenType) return StandSkip::Type;
    return std::nullopt;
  }

  airports::Stand& add(const LatLon& position, double heading) {
    airports::Stand& stand = stands_.emplace_back();
    stand.lat = position.lat;
    stand.lon = position.lon;
    stand.heading = heading;
    stand.index = static_cast<int>(stands_.size());
    return stand;
  }

  // The id is the prefix and number, or the first of them with a suffix
  // that is still free. Prefixes end before the digits and suffixes follow
  // them, so two parking ids are equal exactly when prefix text, number and
  // suffix are, and a helipad id never equals one: the ids taken are kept as
  // one bit per suffix (bit 0 for none) for each number, in a table for
  // each prefix text met.
  // Without a free suffix the id stays empty.
  void assignUniqueId(const BglParking& parking, std::string& id) {
    const std::string_view prefix = parkingNamePrefix(parking.nameCode());
    std::vector<std::uint8_t>& numbers = taken_[static_cast<size_t>(prefix.empty() ? 0 : parking.nameCode())];
    const auto number = static_cast<size_t>(parking.number());
    if (number >= numbers.size()) numbers.resize(number + 1);
    std::uint8_t& suffixes = numbers[number];
    const int free = std::countr_one(suffixes);
    if (free > static_cast<int>(kSuffixes.size())) {
      log_.line(fmt::format("{}Warning: more than 6 duplicate IDs {}{} in {}", kErrorPrefix, prefix, parking.number(),
                            bglPath_));
      return;
    }
    suffixes = static_cast<std::uint8_t>(suffixes | 1U << free);
    std::array<char, 16> text{};  // the longest prefix, four digits and a suffix
    char* end = std::copy(prefix.begin(), prefix.end(), text.data());
    end = std::to_chars(end, text.data() + text.size(), parking.number()).ptr;
    if (free > 0) *end++ = kSuffixes[static_cast<size_t>(free) - 1];
    id.assign(text.data(), end);
  }

  std::string_view bglPath_;
  ScanLog& log_;
  std::vector<airports::Stand>& stands_;
  std::array<std::vector<std::uint8_t>, kParkingNameCodes> taken_;
  std::vector<airports::Stand*> unnamed_;
};

}  // namespace

std::string_view standSkipName(StandSkip skip) {
  switch (skip) {
    case StandSkip::Radius: return "radius";
    case StandSkip::Position: return "position";
    case StandSkip::Type: return "type";
    case StandSkip::Double: return "double";
  }
  return "";
}

std::string_view parkingNamePrefix(int nameCode) {
  static const std::array<std::string, 26> letters = [] {
    std::array<std::string, 26> all;
    for (size_t letter = 0; letter < all.size(); ++letter) all[letter] = std::string(1, static_cast<char>('A' + letter));
    return all;
  }();
  if (nameCode >= 0 && nameCode < static_cast<int>(kNamedPrefixes.size())) return kNamedPrefixes[static_cast<size_t>(nameCode)];
  const size_t letter = static_cast<size_t>(nameCode - static_cast<int>(kNamedPrefixes.size()));
  return letter < letters.size() ? std::string_view(letters[letter]) : std::string_view();
}

void airportStands(const BglAirport& airport, std::string_view bglPath, ScanLog& log, AirportStands& into) {
  StandBuilder builder(bglPath, log, into.stands, airport.helipads.size() + airport.parkings.size());
  into.helipads.clear();
  into.parkings.clear();
  into.helipads.reserve(airport.helipads.size());
  into.parkings.reserve(airport.parkings.size());
  std::vector<LatLon> helipadPositions;
  for (const BglHelipad& helipad : airport.helipads) builder.addHelipad(helipad, helipadPositions, into.helipads);
  into.helipadCount = static_cast<int>(helipadPositions.size());
  for (const BglParking& parking : airport.parkings) builder.addParking(parking, into.parkings);
  builder.nameUnnamed(into.parkings);
}

AirportStands airportStands(const BglAirport& airport, std::string_view bglPath, ScanLog& log) {
  AirportStands result;
  airportStands(airport, bglPath, log, result);
  return result;
}

}  // namespace tfx::scan

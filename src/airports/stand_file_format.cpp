#include "airports/stand_file_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <unordered_set>

#include "aircraft/aircraft_queries.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/xml_values.h"
#include "runstate/user_error.h"

namespace tfx::airports {
namespace {

constexpr size_t kExpectedStands = 512;
constexpr double kHalfWrittenDecimal = 0.5e-6;

bool boolAttribute(const pugi::xml_node node, const char* name) { return xmlBool(node.attribute(name).as_string()); }

void takeCallsign(std::string_view cs, StandOption& option) {
  const size_t colon = cs.find(':');
  option.callsign = std::string(cs.substr(0, colon));
  if (colon != std::string_view::npos) option.callsignNote = std::string(cs.substr(colon + 1));
}

}  // namespace

std::optional<std::string> standFileParameter(const pugi::xml_document& document, std::string_view name) {
  for (const pugi::xml_node parameters : document.children("parameters")) {
    for (const pugi::xml_node parameter : parameters.children("parameter")) {
      if (name == parameter.attribute("name").as_string()) return std::string(parameter.attribute("value").as_string());
    }
  }
  return std::nullopt;
}

int standFileInt(const pugi::xml_document& document, std::string_view name, int missing) {
  const std::optional<std::string> text = standFileParameter(document, name);
  if (!text) return missing;
  const long long value = std::strtoll(text->c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

bool hasRequiredMeta(const pugi::xml_document& document) {
  for (const std::string_view key : {"author", "date", "version"}) {
    if (!readMetaInfo(document, key)) return false;
  }
  return true;
}

StandOption readOptionElement(const pugi::xml_node opt, int origin, int index) {
  StandOption option{.index = index, .origin = origin};
  takeCallsign(opt.attribute("cs").as_string(), option);
  option.registration = opt.attribute("reg").as_string();
  std::optional<RegcodeRecord> record;
  if (!option.registration.empty()) record = gf_findRegcode(option.registration);
  if (record) {
    option.airline = record->operatorName.empty() ? record->airline : record->operatorName;
    option.type = record->type;
  } else {
    option.airline = opt.attribute("airl").as_string();
    option.type = opt.attribute("type").as_string();
  }
  option.day = opt.attribute("day").as_int();
  // An option without half-hours is no list of bad pieces.
  if (const std::string_view hours = opt.attribute("hh").as_string(); !hours.empty()) {
    option.halfHours = gf_hours2bitset(hours);
  }
  option.real = boolAttribute(opt, "soft") ? 0 : 1;
  return option;
}

std::optional<Stand> readStandElement(const pugi::xml_node parkpos, int origin) {
  Stand stand;
  stand.id = parkpos.attribute("id").as_string();
  stand.lat = parkpos.attribute("latitude").as_double();
  stand.lon = parkpos.attribute("longitude").as_double();
  // Positions are written with 6 decimals: one that writes as 0,0 is 0,0, or
  // a stand would vanish between a save and the next read.
  if (std::abs(stand.lat) <= kHalfWrittenDecimal && std::abs(stand.lon) <= kHalfWrittenDecimal) return std::nullopt;
  const double radiusMeters = parkpos.attribute("radius").as_double();
  if (!std::isfinite(stand.lat) || !std::isfinite(stand.lon) || !std::isfinite(radiusMeters)) {
    writeLogError(fmt::format("Stand {} skipped: its position or radius is not a number", stand.id));
    return std::nullopt;
  }
  int index = 1;
  for (const pugi::xml_node opt : parkpos.children("opt")) stand.options.push_back(readOptionElement(opt, origin, index++));
  stand.heli = boolAttribute(parkpos, "heli");
  stand.ramp = boolAttribute(parkpos, "ramp");
  stand.cargo = boolAttribute(parkpos, "cargo");
  // A heading that is no number would turn every use of it into one; it reads as north.
  const double headingDegrees = parkpos.attribute("heading").as_double();
  stand.heading = std::isfinite(headingDegrees) ? headingDegrees * kDegToRad : 0.0;
  stand.radius = radiusMeters * kNmPerMeter;
  return stand;
}

std::vector<Stand> readStandList(const pugi::xml_document& document, int origin) {
  std::vector<Stand> stands;
  std::unordered_set<std::string> seen;
  seen.reserve(kExpectedStands);
  for (const pugi::xml_node parkpos : document.child("parkpositions").children("parkpos")) {
    const std::string id = parkpos.attribute("id").as_string();
    if (!seen.insert(id).second) {
      throw UserErrorException(94, fmt::format("Parking position {} appears more than once?", id));
    }
    if (std::optional<Stand> stand = readStandElement(parkpos, origin)) stands.push_back(std::move(*stand));
  }
  return stands;
}

double normalizedHeading(double radians) {
  double wrapped = std::fmod(radians, kTwoPi);
  if (wrapped < 0.0) wrapped += kTwoPi;
  return wrapped < kTwoPi ? wrapped : 0.0;
}

}  // namespace tfx::airports

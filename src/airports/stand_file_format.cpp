#include "airports/stand_file_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "aircraft/aircraft_queries.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/xml_values.h"
#include "runstate/user_error.h"

namespace tfx::airports {
namespace {

constexpr double kHalfWrittenDecimal = 0.5e-6;

// Names are short: compared here rather than by a library call per name.
bool sameName(const char* name, const char* wanted) {
  while (*name == *wanted && *wanted != '\0') {
    ++name;
    ++wanted;
  }
  return *name == *wanted;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// As the C library reads a decimal (the program keeps the "C" locale), but a
// plain number, as files hold them, is read without its slow general path.
double decimalText(const char* text) {
  const char* const end = text + std::strlen(text);
  const bool plain = isDigit(text[0]) || (text[0] == '-' && isDigit(text[1]));
  double value = 0.0;
  if (plain) {
    const auto [rest, error] = std::from_chars(text, end, value, std::chars_format::general);
    // A hex number reads as its leading 0 here.
    if (error == std::errc{} && *rest != 'x' && *rest != 'X') return value;
  }
  return std::strtod(text, nullptr);
}

// The attributes a reader takes, found in one walk over an element's
// attributes rather than one walk per name. A name given twice counts where
// it first appears, as a lookup by name finds it. Every call into the XML
// library counts here (a large file holds a hundred thousand attributes), so a
// missing attribute is no handle at all and a value is fetched once.
template <size_t N>
class NamedAttributes {
 public:
  NamedAttributes(const pugi::xml_node node, const std::array<const char*, N>& names) {
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
      const char* name = attribute.name();
      for (size_t at = 0; at < N; ++at) {
        if (!sameName(name, names[at])) continue;
        if (!found_[at]) found_[at] = attribute;
        break;
      }
    }
  }
  std::string_view text(size_t at) const { return found_[at] ? found_[at]->value() : std::string_view(); }
  bool flag(size_t at) const { return xmlBool(text(at)); }
  int integer(size_t at) const { return found_[at] ? found_[at]->as_int() : 0; }
  double decimal(size_t at) const { return found_[at] ? decimalText(found_[at]->value()) : 0.0; }

 private:
  std::array<std::optional<pugi::xml_attribute>, N> found_{};
};

enum OptionAttribute : size_t { kOptionCallsign, kRegistration, kAirline, kType, kDay, kHalfHours, kSoft };
constexpr std::array<const char*, 7> kOptionAttributes{"cs", "reg", "airl", "type", "day", "hh", "soft"};

enum StandAttribute : size_t { kId, kLatitude, kLongitude, kRadius, kHeading, kHeli, kRamp, kCargo };
constexpr std::array<const char*, 8> kStandAttributes{"id",      "latitude", "longitude", "radius",
                                                      "heading", "heli",     "ramp",      "cargo"};

// The element's children of that name, walked without a lookup per step.
template <typename Visit>
void forChildrenNamed(const pugi::xml_node node, const char* name, Visit visit) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (sameName(child.name(), name)) visit(child);
  }
}

size_t countChildren(const pugi::xml_node node, const char* name) {
  size_t count = 0;
  forChildrenNamed(node, name, [&](pugi::xml_node) { ++count; });
  return count;
}

void takeCallsign(std::string_view cs, StandOption& option) {
  const size_t colon = cs.find(':');
  option.callsign.assign(cs.substr(0, colon));
  if (colon != std::string_view::npos) option.callsignNote.assign(cs.substr(colon + 1));
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

void appendOptionElement(const pugi::xml_node opt, int origin, Stand& stand) {
  const NamedAttributes attributes(opt, kOptionAttributes);
  const int index = stand.nextOptionIndex();
  // Made in its place: an option is large, and a file may hold many.
  StandOption& option = stand.options.emplace_back();
  option.index = index;
  option.origin = origin;
  takeCallsign(attributes.text(kOptionCallsign), option);
  option.registration = attributes.text(kRegistration);
  std::optional<RegcodeRecord> record;
  if (!option.registration.empty()) record = gf_findRegcode(option.registration);
  if (record) {
    option.airline = record->operatorName.empty() ? record->airline : record->operatorName;
    option.type = record->type;
  } else {
    option.airline = attributes.text(kAirline);
    option.type = attributes.text(kType);
  }
  option.day = attributes.integer(kDay);
  // An option without half-hours is no list of bad pieces.
  if (const std::string_view hours = attributes.text(kHalfHours); !hours.empty()) {
    option.halfHours = gf_hours2bitset(hours);
  }
  option.real = attributes.flag(kSoft) ? 0 : 1;
}

std::optional<Stand> readStandElement(const pugi::xml_node parkpos, int origin) {
  const NamedAttributes attributes(parkpos, kStandAttributes);
  Stand stand;
  stand.id = attributes.text(kId);
  stand.lat = attributes.decimal(kLatitude);
  stand.lon = attributes.decimal(kLongitude);
  // Positions are written with 6 decimals: one that writes as 0,0 is 0,0, or
  // a stand would vanish between a save and the next read.
  if (std::abs(stand.lat) <= kHalfWrittenDecimal && std::abs(stand.lon) <= kHalfWrittenDecimal) return std::nullopt;
  const double radiusMeters = attributes.decimal(kRadius);
  if (!std::isfinite(stand.lat) || !std::isfinite(stand.lon) || !std::isfinite(radiusMeters)) {
    writeLogError(fmt::format("Stand {} skipped: its position or radius is not a number", stand.id));
    return std::nullopt;
  }
  stand.options.reserve(countChildren(parkpos, "opt"));
  forChildrenNamed(parkpos, "opt", [&](pugi::xml_node opt) { appendOptionElement(opt, origin, stand); });
  stand.heli = attributes.flag(kHeli);
  stand.ramp = attributes.flag(kRamp);
  stand.cargo = attributes.flag(kCargo);
  // A heading that is no number would turn every use of it into one; it reads as north.
  const double headingDegrees = attributes.decimal(kHeading);
  stand.heading = std::isfinite(headingDegrees) ? headingDegrees * kDegToRad : 0.0;
  stand.radius = radiusMeters * kNmPerMeter;
  return stand;
}

std::vector<Stand> readStandList(const pugi::xml_document& document, int origin) {
  const pugi::xml_node positions = document.child("parkpositions");
  std::vector<Stand> stands;
  stands.reserve(countChildren(positions, "parkpos"));
  std::unordered_set<std::string> seen;
  seen.reserve(stands.capacity());
  forChildrenNamed(positions, "parkpos", [&](pugi::xml_node parkpos) {
    const std::string id = parkpos.attribute("id").as_string();
    if (!seen.insert(id).second) {
      throw UserErrorException(94, fmt::format("Parking position {} appears more than once?", id));
    }
    if (std::optional<Stand> stand = readStandElement(parkpos, origin)) stands.push_back(std::move(*stand));
  });
  return stands;
}

double normalizedHeading(double radians) {
  double wrapped = std::fmod(radians, kTwoPi);
  if (wrapped < 0.0) wrapped += kTwoPi;
  return wrapped < kTwoPi ? wrapped : 0.0;
}

}  // namespace tfx::airports

#include "aircraft/aircraft_database.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

#include "core/log.h"
#include "core/text_trim.h"
#include "core/xml_values.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

// Metres to half a wingspan in nautical miles.
constexpr double kHalfNmPerMetre = 0.5 * 0.0005399568034557236;
constexpr size_t kSimilarGroupsReserved = 64;
constexpr size_t kPublisherGroupsReserved = 640;
constexpr size_t kThirdPartyRecordsReserved = 200;
constexpr size_t kShortRegistrationLength = 6;

pugi::xml_node section(const pugi::xml_document& document, const char* name) { return document.child(name); }

// Every item of one list attribute of every such element of the section; an
// empty result stops the start, the program cannot work without these lists.
CodeSet readRequiredSet(const pugi::xml_document& document, const char* sectionName, const char* element,
                        const char* attribute) {
  CodeSet items;
  for (pugi::xml_node node : section(document, sectionName).children(element)) {
    for (std::string& item : splitListAttribute(node.attribute(attribute).as_string())) items.insert(std::move(item));
  }
  if (items.empty()) {
    throw UserErrorException(61, fmt::format("In XML file section [{}], element [{}], attribute [{}] is empty.",
                                             sectionName, element, attribute));
  }
  return items;
}

NameGroups readGroups(const pugi::xml_document& document, const char* sectionName, const char* element,
                      const char* attribute, size_t reserved) {
  NameGroups groups;
  groups.reserve(reserved);
  for (pugi::xml_node node : section(document, sectionName).children(element)) {
    groups.push_back(splitListAttribute(node.attribute(attribute).as_string()));
  }
  return groups;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
  return lowerAscii(text).find(lowerAscii(part)) != std::string::npos;
}

}  // namespace

void AircraftDatabase::load(const pugi::xml_document& document) {
  aircraftTypes_ = readRequiredSet(document, "aircrafts", "aircraft", "types");
  highPerformance_ = readRequiredSet(document, "high_performance", "hpf", "types");
  heavy_ = readRequiredSet(document, "heavy", "hvy", "types");
  large_ = readRequiredSet(document, "large", "lar", "types");
  buzjets_ = readRequiredSet(document, "buzjet", "bzj", "types");
  rotorcraft_ = readRequiredSet(document, "rotorcraft", "rot", "types");
  cargoTypes_ = readRequiredSet(document, "cargo_types", "cargo_type", "types");

  similarTypes_ = readGroups(document, "similar_types", "similar", "types", kSimilarGroupsReserved);
  for (auto& group : similarTypes_) std::sort(group.begin(), group.end());

  airlines_ = readRequiredSet(document, "ICAO_airlines", "ICAO", "codes");
  cargoOperators_ = readRequiredSet(document, "cargo_operators", "ICAO", "codes");

  publishers_ = readGroups(document, "publishers", "pub", "names", kPublisherGroupsReserved);
  writeLog(fmt::format("   {} publishers", publishers_.size()));

  readWingspans(document);
  readFixes(document);

  simAddonAirports_ = readRequiredSet(document, "simaddonsP3D", "simaddonP3D", "arpts");
  thirdPartyAirports_.reserve(kThirdPartyRecordsReserved);
  for (pugi::xml_node node : section(document, "thirdpartiesP3D").children("thirdpartieP3D")) {
    thirdPartyAirports_.push_back(
        ThirdPartyAirports{node.attribute("pub").as_string(), splitListAttribute(node.attribute("arpts").as_string())});
  }

  readRegistrations(document);
  writeLog(fmt::format("{} dbase records read", registrations_.size()));
}

void AircraftDatabase::readWingspans(const pugi::xml_document& document) {
  for (pugi::xml_node node : section(document, "wingspans").children("wingspan")) {
    const std::string type = node.attribute("type").as_string();
    if (!validAcType(type)) {
      writeLogError(fmt::format("wingspan model {} is not valid, skipped", type));
      continue;
    }
    const double halfSpan = node.attribute("meters").as_double() * kHalfNmPerMetre;
    halfWingspans_.try_emplace(type, halfSpan);
    largestHalfWingspan_ = std::max(largestHalfWingspan_, halfSpan);
  }
  if (!halfWingspans_.empty()) computeCategoryAverages();
}

// A category without any wingspan of its own takes the average of all types:
// a plausible size is better than none for spacing and parking.
void AircraftDatabase::computeCategoryAverages() {
  std::array<double, kAircraftCategoryCount> sums{};
  std::array<size_t, kAircraftCategoryCount> counts{};
  double total = 0.0;
  for (const auto& [type, halfSpan] : halfWingspans_) {
    const auto index = static_cast<size_t>(acCategory(type));
    sums[index] += halfSpan;
    ++counts[index];
    total += halfSpan;
  }
  const double overall = total / static_cast<double>(halfWingspans_.size());
  for (size_t index = 0; index < kAircraftCategoryCount; ++index) {
    categoryAverages_[index] = counts[index] > 0 ? sums[index] / static_cast<double>(counts[index]) : overall;
  }
}

void AircraftDatabase::readFixes(const pugi::xml_document& document) {
  for (pugi::xml_node node : section(document, "fixes").children("fx")) {
    const std::string wrong = node.attribute("wro").as_string();
    const std::string correct = node.attribute("cor").as_string();
    if (!validAcType(correct)) {
      writeLogError(fmt::format("wrong fix {} -> {}, the latter is not valid", wrong, correct));
    } else if (!fixes_.try_emplace(wrong, correct).second) {
      writeLogError(fmt::format("wrong part of fix: '{}', already exists, skipped", wrong));
    }
  }
}

void AircraftDatabase::readRegistrations(const pugi::xml_document& document) {
  registrations_.clear();
  shortRegistrations_.clear();
  for (pugi::xml_node node : section(document, "dbase").children("db")) {
    RegcodeRecord record{node.attribute("airl").as_string(), node.attribute("type").as_string(),
                         node.attribute("opr").as_string(), xmlBool(node.attribute("cargo").as_string())};
    const std::string registration = node.attribute("reg").as_string();
    if (!registrations_.try_emplace(registration, std::move(record)).second) {
      writeLogError(fmt::format("regcode {} already exists", registration));
    } else if (registration.size() < kShortRegistrationLength) {
      shortRegistrations_.push_back(registration);
    }
  }
}

bool AircraftDatabase::validAcType(std::string_view type) const {
  return !type.empty() && aircraftTypes_.contains(type);
}

bool AircraftDatabase::validAirline(std::string_view code) const { return !code.empty() && airlines_.contains(code); }

// The first list that holds the type decides, in this order, so a type listed
// as both Large and Heavy is Large.
AircraftCategory AircraftDatabase::acCategory(std::string_view type) const {
  if (large_.contains(type)) return AircraftCategory::Large;
  if (heavy_.contains(type)) return AircraftCategory::Heavy;
  if (buzjets_.contains(type)) return AircraftCategory::Buzjets;
  if (rotorcraft_.contains(type)) return AircraftCategory::Rotorcraft;
  if (highPerformance_.contains(type)) return AircraftCategory::HighPerf;
  return AircraftCategory::Light;
}

double AircraftDatabase::halfWingspan(std::string_view type) const {
  if (auto found = halfWingspans_.find(type); found != halfWingspans_.end()) return found->second;
  return averageHalfWingspan(acCategory(type));
}

double AircraftDatabase::averageHalfWingspan(AircraftCategory category) const {
  return categoryAverages_.at(static_cast<size_t>(category));
}

std::optional<RegcodeRecord> AircraftDatabase::findRegcode(std::string_view registration) const {
  if (registration.empty()) return std::nullopt;
  std::vector<std::string> candidates;
  // Feeds often drop the hyphen: PHBXA may be PH-BXA or P-HBXA. US
  // registrations (N...) carry no hyphen at all.
  if (registration.size() >= 5 && registration.front() != 'N' && registration.find('-') == std::string_view::npos) {
    candidates.push_back(fmt::format("{}-{}", registration.substr(0, 2), registration.substr(2)));
    candidates.push_back(fmt::format("{}-{}", registration.substr(0, 1), registration.substr(1)));
  }
  candidates.emplace_back(registration);
  for (const std::string& candidate : candidates) {
    if (auto found = registrations_.find(candidate); found != registrations_.end()) return found->second;
  }
  return std::nullopt;
}

std::string AircraftDatabase::publisherFromFilename(std::string_view fileName) const {
  if (containsIgnoringCase(fileName, "ORBX")) {
    writeLog(fmt::format("from filename => publisher {}", "simaddon"));
    return "simaddon";
  }
  for (const auto& group : publishers_) {
    const bool matches = std::any_of(group.begin(), group.end(), [&](const std::string& name) {
      return name.empty() || fileName.find(name) != std::string_view::npos || containsIgnoringCase(fileName, name);
    });
    if (matches && !group.empty()) return group.front();
  }
  return "unknown";
}

AircraftDatabase& aircraftDatabase() {
  static AircraftDatabase database;
  return database;
}

}  // namespace tfx

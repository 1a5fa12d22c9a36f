#include "aircraft/aircraft_queries.h"

namespace tfx {

bool gf_validAcType(std::string_view type) { return aircraftDatabase().validAcType(type); }

bool gf_validAirline(std::string_view code) { return aircraftDatabase().validAirline(code); }

AircraftCategory gf_acCategory(std::string_view type) { return aircraftDatabase().acCategory(type); }

double gf_halfWingspan(std::string_view type) { return aircraftDatabase().halfWingspan(type); }

double gf_largestHalfWingspan() { return aircraftDatabase().largestHalfWingspan(); }

std::optional<RegcodeRecord> gf_findRegcode(std::string_view registration) {
  return aircraftDatabase().findRegcode(registration);
}

std::string gf_publisherFromFilename(std::string_view fileName) {
  return aircraftDatabase().publisherFromFilename(fileName);
}

const NameGroups& gf_similarTypes() { return aircraftDatabase().similarTypes(); }

const NameGroups& gf_publisherGroups() { return aircraftDatabase().publishers(); }

const CodeSet& gf_simAddonAirports() { return aircraftDatabase().simAddonAirports(); }

const std::vector<ThirdPartyAirports>& gf_thirdPartyAirports() { return aircraftDatabase().thirdPartyAirports(); }

}  // namespace tfx

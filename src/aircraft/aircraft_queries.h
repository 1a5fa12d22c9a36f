#pragma once
// The questions the rest of the program asks the aircraft database. All of
// them read the process-wide database that gf_readDbase filled.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_database.h"

namespace tfx {

bool gf_validAcType(std::string_view type);
bool gf_validAirline(std::string_view code);
AircraftCategory gf_acCategory(std::string_view type);
// Half the wingspan in nautical miles (the category's average for a type
// without its own value).
double gf_halfWingspan(std::string_view type);
// The largest half wingspan of the database, in nautical miles.
double gf_largestHalfWingspan();
// PHBXA is found as PH-BXA or P-HBXA as well; N-registrations only as given.
std::optional<RegcodeRecord> gf_findRegcode(std::string_view registration);
// "simaddon" for ORBX files, else the first name of the first publisher group
// that one of its spellings matches, else "unknown".
std::string gf_publisherFromFilename(std::string_view fileName);

const NameGroups& gf_similarTypes();
const NameGroups& gf_publisherGroups();
const CodeSet& gf_simAddonAirports();
const std::vector<ThirdPartyAirports>& gf_thirdPartyAirports();

}  // namespace tfx

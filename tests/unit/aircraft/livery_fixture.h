#pragma once
// A loaded fixture database and a scan context whose files all exist unless
// a test names them missing.
#include <pugixml.hpp>

#include <set>
#include <string>

#include "aircraft/aircraft_database.h"
#include "aircraft/cfg_scan_context.h"
#include "aircraft/scan_reports.h"
#include "dbase_fixture.h"

namespace tfx::test {

inline AircraftDatabase fixtureDatabase(const std::vector<std::pair<std::string, std::string>>& replaced = {}) {
  pugi::xml_document document;
  document.load_string(fixtureDbaseXml({}, replaced).c_str());
  AircraftDatabase database;
  database.load(document);
  return database;
}

struct ScanFixture {
  AircraftDatabase database = fixtureDatabase();
  TitleSet dontUse;
  ScanReports reports;
  std::set<std::string> missing;  // entry names (lower case) that do not exist
  CfgScanContext context{database, dontUse, reports, [this](const std::filesystem::path&, std::string_view name) {
                           std::string key(name);
                           for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                           while (!key.empty() && key.back() == '.') key.pop_back();
                           return !missing.contains(key);
                         }};
};

}  // namespace tfx::test

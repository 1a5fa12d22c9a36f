#pragma once
// Stand files and learned files as text, and an install folder to read them in.
#include <pugixml.hpp>

#include <string>

#include "aircraft/aircraft_database.h"
#include "airports/airport.h"
#include "dbase_fixture.h"
#include "test_support.h"

namespace tfx::test {

inline const std::string kMeta =
    R"(<meta><info name="author" value="t"/><info name="date" value="2025-01-01"/><info name="version" value="1"/></meta>)";

inline std::string parameterXml(const std::string& name, const std::string& value) {
  return "<parameter name=\"" + name + "\" value=\"" + value + "\"/>";
}

// A file with the meta block, the given parameters and stands.
inline std::string standFileXml(const std::string& parameters, const std::string& stands) {
  return "<?xml version=\"1.0\"?>\n" + kMeta + "<parameters>" + parameters + "</parameters><parkpositions>" + stands +
         "</parkpositions>";
}

inline std::string basicParameters(const std::string& name = "Test Airport") {
  return parameterXml("airport_name", name) + parameterXml("publisher", "stock") + parameterXml("altitude", "1417");
}

// A fresh install folder as current folder, settings at their defaults, the
// fixture aircraft database loaded and ZZZZ the park airport.
class StandFolder {
 public:
  StandFolder() : here_(folder_.path()) {
    resetProgramState();
    pugi::xml_document document;
    document.load_string(fixtureDbaseXml().c_str());
    AircraftDatabase database;
    database.load(document);
    aircraftDatabase() = std::move(database);
    airports::parkAirport() = {.code = "ZZZZ", .lat = 47.0, .lon = 8.0};
  }
  ~StandFolder() { airports::parkAirport() = {}; }
  const TempDir& folder() const { return folder_; }

 private:
  TempDir folder_;
  ScopedCurrentDir here_;
};

}  // namespace tfx::test

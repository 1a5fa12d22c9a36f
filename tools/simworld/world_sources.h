#pragma once
// The real names a generated world is made of: airlines, type names and
// registrations of the shipped database, titles of the shipped AIG list.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tfx::simworld {

struct Registration {
  std::string reg;
  std::string airline;
  std::string type;
  bool cargo = false;
};

struct WorldSources {
  std::set<std::string> airlines;
  std::set<std::string> heavyTypes;
  std::set<std::string> allRegistrations;
  std::vector<std::string> shortRegistrations;                 // under 6 characters
  std::map<std::string, std::vector<Registration>> byType;     // usable records per valid type
  std::vector<std::pair<std::string, std::string>> fixes;      // wrong code, correct code
  std::map<std::string, std::string> airlineNames;             // ICAO code to name
  std::map<std::string, std::string> typeNames;                // ICAO type to model name
  std::map<std::string, std::string> aigTitles;                // registration to AIG title
};

struct SourceFiles {
  std::filesystem::path dbaseXml;
  std::filesystem::path aigRegcodesXml;
  std::filesystem::path airlinesDat;  // openflights airlines
  std::filesystem::path aircraftTypesCsv;
};

// Throws std::runtime_error naming a file that cannot be read.
WorldSources readWorldSources(const SourceFiles& files);

}  // namespace tfx::simworld

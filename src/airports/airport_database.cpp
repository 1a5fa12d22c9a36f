#include "airports/airport_database.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string>

#include "core/folders.h"
#include "core/log.h"
#include "runstate/user_error.h"

namespace tfx::airports {
namespace {

struct ProcessDatabase {
  AirportDatabase airports;
  bool read = false;
};

ProcessDatabase& processDatabase() {
  static ProcessDatabase database;
  return database;
}

// A decimal number as the standard string-to-double conversion takes it:
// leading blanks skipped, the longest valid prefix, errors worded as that
// conversion words them.
double convertDecimal(const char* text) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text, &end);
  if (end == text) throw std::invalid_argument("invalid stod argument");
  if (errno == ERANGE) throw std::out_of_range("stod argument out of range");
  return value;
}

void readAirportElement(const pugi::xml_node element, AirportDatabase& airports) {
  const std::string code = element.attribute("code").as_string();
  const pugi::xml_attribute lat = element.attribute("lat");
  const pugi::xml_attribute lon = element.attribute("lon");
  const pugi::xml_attribute alt = element.attribute("alt");
  if (!lat || !lon || !alt) {
    writeLog(fmt::format("Missing lat/lon/alt for airport '{}'", code));
    return;
  }
  Airport airport{.code = code, .iata = element.attribute("iata").as_string()};
  try {
    airport.alt = convertDecimal(alt.value());
    airport.lat = convertDecimal(lat.value());
    airport.lon = convertDecimal(lon.value());
  } catch (const std::logic_error& error) {
    writeLog(fmt::format("Error parsing coordinates for airport '{}': {}", code, error.what()));
    return;
  }
  airports.push_back(std::move(airport));
}

AirportDatabase readAirportFile(const std::filesystem::path& path) {
  pugi::xml_document document;
  if (const pugi::xml_parse_result parsed = document.load_file(path.c_str()); !parsed) {
    throw std::runtime_error(fmt::format("{} not loaded: {}", path.string(), parsed.description()));
  }
  const pugi::xml_node root = document.child("airports");
  if (!root) throw std::runtime_error(fmt::format("Missing <airports> root in: {}", path.string()));
  // Counting the elements first gives the list its exact room: it never grows
  // step by step, and a small file does not pay for the shipped one's size.
  const auto elements = root.children("airport");
  AirportDatabase airports;
  airports.reserve(static_cast<size_t>(std::distance(elements.begin(), elements.end())));
  for (const pugi::xml_node element : elements) readAirportElement(element, airports);
  std::sort(airports.begin(), airports.end(), [](const Airport& a, const Airport& b) { return a.code < b.code; });
  writeLog(fmt::format("{} airports read from '{}'", airports.size(), path.string()));
  return airports;
}

}  // namespace

const AirportDatabase& airportDatabase() { return processDatabase().airports; }

AirportDatabase readAirportDatabase(const std::filesystem::path& path) {
  try {
    return readAirportFile(path);
  } catch (const std::exception& error) {
    throw UserErrorException(88, error.what());
  }
}

bool gf_readAirports(const std::filesystem::path& fileName) {
  ProcessDatabase& database = processDatabase();
  if (!database.read) {
    database.airports = readAirportDatabase(paths::input / fileName);
    database.read = true;
  }
  return !database.airports.empty();
}

const Airport* findAirport(const AirportDatabase& database, std::string_view code) {
  const auto found = std::lower_bound(database.begin(), database.end(), code,
                                      [](const Airport& airport, std::string_view key) { return airport.code < key; });
  return found == database.end() || found->code != code ? nullptr : &*found;
}

bool airportCodeKnown(std::string_view code) { return findAirport(airportDatabase(), code) != nullptr; }

bool gf_setParkAirport(std::string_view code) { return gf_setParkAirport(airportDatabase(), code); }

bool gf_setParkAirport(const AirportDatabase& database, std::string_view code) {
  const Airport* airport = findAirport(database, code);
  if (airport == nullptr) return false;
  parkAirport() = *airport;
  writeLog(fmt::format("\nThe park airport is {}", gf_airportDisplayName(*airport)));
  return true;
}

}  // namespace tfx::airports

#pragma once
// The world's airports, read once per process from input/airports_p3d.xml and
// only read afterwards (no lock needed once it is filled).
#include <filesystem>
#include <string_view>
#include <vector>

#include "airports/airport.h"

namespace tfx::airports {

// Sorted ascending by code (byte-wise).
using AirportDatabase = std::vector<Airport>;

// The process-wide database that gf_readAirports fills.
const AirportDatabase& airportDatabase();

// Reads one database file: bad airport elements are logged and skipped, the
// result sorted by code, and "{} airports read from '{}'" logged. Throws
// UserErrorException 88 ("88: " and the reason) when the file is unreadable.
AirportDatabase readAirportDatabase(const std::filesystem::path& path);

// Reads input/<fileName> into the process-wide database the first time it
// succeeds; later calls read nothing, whatever the name. True when the
// database holds at least one airport.
bool gf_readAirports(const std::filesystem::path& fileName);

// The first record with exactly this code (the database is sorted), or none.
const Airport* findAirport(const AirportDatabase& database, std::string_view code);

// Whether a code the user typed names an airport of the database.
bool airportCodeKnown(std::string_view code);

// Makes the airport with this code the park airport and logs it; false (and
// nothing changed) for an unknown code.
bool gf_setParkAirport(std::string_view code);
bool gf_setParkAirport(const AirportDatabase& database, std::string_view code);

}  // namespace tfx::airports

// aeroshadow-tool airport: the airport database as the program reads it, one
// code looked up or the airport at a position found.
#include <fmt/format.h>

#include "airport_tool_run.h"
#include "airports/airport_database.h"
#include "airports/closest_airport.h"
#include "airports/closest_stand.h"
#include "core/folders.h"

namespace tfx::tool {
namespace {

constexpr std::string_view kUsage =
    "aeroshadow-tool airport [--install DIR | --db FILE] [--site URL] [--set KEY=VALUE]... (CODE | --near LAT,LON)";

nlohmann::ordered_json airportJson(const airports::Airport& airport) {
  return {{"code", airport.code},
          {"iata", airport.iata},
          {"lat", airport.lat},
          {"lon", airport.lon},
          {"alt", airport.alt},
          {"displayName", airports::gf_airportDisplayName(airport)}};
}

int run(CommandArguments arguments) {
  return runAirportCommand(kUsage, [&] {
    const AirportToolArguments parsed = parseAirportToolArguments(arguments, {"--db", "--near"});
    const bool near = parsed.options.contains("--near");
    if (parsed.positional.size() != (near ? 0u : 1u)) throw UsageError("expected one CODE or --near LAT,LON");
    const std::filesystem::path database =
        parsed.options.contains("--db") ? std::filesystem::absolute(parsed.options.at("--db")) : paths::airportDatabase;
    const LatLon position = near ? parseToolPosition("--near", parsed.options.at("--near")) : LatLon{};
    enterInstallFolder(parsed);
    LogCapture log;
    const airports::AirportDatabase airports = airports::readAirportDatabase(database);
    if (near) {
      const airports::Airport* closest = airports::gf_closestAirport(
          airports, position, [&](const airports::Airport& airport, const LatLon& at) {
            return airports::gf_readDestApfForClosestStand(airport, at, parsed.site);
          });
      nlohmann::ordered_json answer{{"lat", position.lat}, {"lon", position.lon}};
      answer["closest"] = closest ? airportJson(*closest) : nlohmann::ordered_json();
      answer["distanceNm"] = closest ? nlohmann::ordered_json(gf_distanceNm(position, closest->position()))
                                     : nlohmann::ordered_json();
      answer["airports"] = airports.size();
      return printWithLog(std::move(answer), log);
    }
    const std::string& code = parsed.positional.front();
    const airports::Airport* found = airports::findAirport(airports, code);
    nlohmann::ordered_json answer{{"code", code}, {"known", found != nullptr}};
    const nlohmann::ordered_json values = found ? airportJson(*found) : nlohmann::ordered_json();
    for (const char* key : {"iata", "lat", "lon", "alt", "displayName"}) {
      answer[key] = found ? values[key] : nlohmann::ordered_json();
    }
    answer["airports"] = airports.size();
    return printWithLog(std::move(answer), log);
  });
}

const Command command{"airport", "[--install DIR | --db FILE] [--site URL] (CODE | --near LAT,LON)",
                      "look an airport code up in the airport database, or find the airport at a position, as JSON",
                      run};

}  // namespace
}  // namespace tfx::tool

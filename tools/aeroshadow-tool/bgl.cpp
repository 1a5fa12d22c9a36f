// aeroshadow-tool bgl: the airport records of scenery BGL files as the airport
// scan reads them, with the stands the scan would make, one JSON line each.
#include <fmt/format.h>

#include <nlohmann/json.hpp>
#include <string>

#include "command.h"
#include "scan/bgl_reader.h"
#include "scan/bgl_stands.h"
#include "scan/bgl_values.h"

namespace tfx::tool {
namespace {

using Json = nlohmann::ordered_json;

Json outcomeId(const scan::EntryOutcome& outcome) { return outcome.skip ? Json(nullptr) : Json(outcome.id); }

Json outcomeSkip(const scan::EntryOutcome& outcome) {
  return outcome.skip ? Json(scan::standSkipName(*outcome.skip)) : Json(nullptr);
}

Json parkingJson(const scan::BglParking& parking, const scan::EntryOutcome& outcome) {
  return Json{{"nameCode", parking.nameCode()},
              {"number", parking.number()},
              {"type", parking.type()},
              {"radiusM", parking.radius},
              {"headingDeg", parking.heading},
              {"lat", scan::unpackLatitude(parking.packedLat)},
              {"lon", scan::unpackLongitude(parking.packedLon)},
              {"airlines", parking.airlines},
              {"id", outcomeId(outcome)},
              {"skip", outcomeSkip(outcome)}};
}

Json helipadJson(const scan::BglHelipad& helipad, const scan::EntryOutcome& outcome) {
  return Json{{"lat", scan::unpackLatitude(helipad.packedLat)},
              {"lon", scan::unpackLongitude(helipad.packedLon)},
              {"sizeM", helipad.size},
              {"headingDeg", helipad.heading},
              {"id", outcomeId(outcome)},
              {"skip", outcomeSkip(outcome)}};
}

Json airportJson(std::string_view file, const scan::BglAirport& airport) {
  scan::ScanLog log(false);
  const scan::AirportStands stands = scan::airportStands(airport, file, log);
  Json parkings = Json::array();
  for (size_t entry = 0; entry < airport.parkings.size(); ++entry) {
    parkings.push_back(parkingJson(airport.parkings[entry], stands.parkings[entry]));
  }
  Json helipads = Json::array();
  for (size_t entry = 0; entry < airport.helipads.size(); ++entry) {
    helipads.push_back(helipadJson(airport.helipads[entry], stands.helipads[entry]));
  }
  return Json{{"file", file},
              {"record", airport.recordId},
              {"ident", airport.ident},
              {"identValid", airport.identValid},
              {"name", airport.name},
              {"lat", scan::unpackLatitude(airport.packedLat)},
              {"lon", scan::unpackLongitude(airport.packedLon)},
              {"elevationMm", airport.elevationMm},
              {"altitudeFt", scan::altitudeFeet(airport.elevationMm)},
              {"stands", parkings},
              {"helipads", helipads}};
}

int run(CommandArguments arguments) {
  if (arguments.empty()) {
    fmt::print(stderr, "usage: aeroshadow-tool bgl FILE...\n");
    return 2;
  }
  int status = 0;
  for (const std::string_view file : arguments) {
    try {
      scan::FileBglBytes bytes{std::filesystem::path(file)};
      const scan::BglContent content = scan::readBgl(bytes);
      if (!content.scenery) {
        fmt::print(stderr, "{}: no scenery BGL\n", file);
        status = 1;
        continue;
      }
      for (const scan::BglAirport& airport : content.airports) {
        fmt::print("{}\n", airportJson(file, airport).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
      }
    } catch (const std::exception& error) {
      fmt::print(stderr, "{}: {}\n", file, error.what());
      status = 1;
    }
  }
  return status;
}

const Command command{"bgl", "FILE...", "the airport records of scenery BGL files and the stands the scan makes of them, "
                      "as JSON lines", run};

}  // namespace
}  // namespace tfx::tool

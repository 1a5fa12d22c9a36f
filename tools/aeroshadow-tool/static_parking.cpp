// aeroshadow-tool static-parking: the static aircraft the program would put
// on an airport's stands at a given time, with no live aircraft around.
#include <fmt/format.h>

#include <algorithm>
#include <filesystem>

#include "airport_tool_run.h"
#include "airports/airport.h"
#include "airports/airport_database.h"
#include "airports/my_park_airports.h"
#include "airports/parking_state.h"
#include "airports/static_selection.h"
#include "core/folders.h"
#include "stands_park.h"

namespace tfx::tool {
namespace {

using airports::StaticAircraft;

constexpr std::string_view kUsage =
    "aeroshadow-tool static-parking ICAO --at TIME [--install DIR] [--site URL] [--user LAT,LON] [--set KEY=VALUE]...";

// The tool runs without a simulator: no live aircraft anywhere.
class NoLiveTraffic final : public airports::ParkedTraffic {
 public:
  void collectParkedLive(std::vector<airports::ParkedAircraft>&) const override {}
  void collectStatic(std::vector<airports::ParkedAircraft>&) const override {}
  bool presentInSimulator(std::string_view) const override { return false; }
  void removeParked(uint32_t, airports::ParkedRemoval) override {}
};

// The user's stand as my_park_airports.txt records it for the airport.
std::string reservedStand(const std::string& code) {
  if (!std::filesystem::exists(paths::airportDatabase)) return {};
  airports::ParkAirportList list;
  airports::lf_readMyParkAirports(airports::readAirportDatabase(paths::airportDatabase), list);
  const auto entry = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.code == code; });
  return entry == list.end() ? std::string() : entry->stand;
}

nlohmann::ordered_json staticJson(const StaticAircraft& aircraft, const std::vector<airports::Stand>& stands) {
  return {{"stand", stands[static_cast<size_t>(aircraft.standIndex - 1)].id},
          {"fit", aircraft.fit},
          {"round", aircraft.soft ? "soft" : "real"},
          {"airline", aircraft.airline},
          {"type", aircraft.type},
          {"callsign", aircraft.callsign},
          {"callsignNote", aircraft.callsignNote},
          {"registration", aircraft.registration},
          {"stays", aircraft.stays}};
}

int run(CommandArguments arguments) {
  return runAirportCommand(kUsage, [&] {
    const AirportToolArguments parsed = parseAirportToolArguments(arguments, {"--at", "--user"});
    if (parsed.positional.size() != 1 || !parsed.options.contains("--at")) {
      throw UsageError("expected one ICAO code and --at TIME");
    }
    const std::optional<std::chrono::system_clock::time_point> at = parseToolTime(parsed.options.at("--at"));
    if (!at) throw UsageError(fmt::format("'{}' is no time", parsed.options.at("--at")));
    airports::UserAircraft user{.position = {}, .onGround = true, .heightAboveGroundFt = 0.0};
    if (parsed.options.contains("--user")) user.position = parseToolPosition("--user", parsed.options.at("--user"));
    enterInstallFolder(parsed);
    const std::string& code = parsed.positional.front();
    LogCapture log;
    airports::ParkingState state;
    state.site = parsed.site;
    readParkStands(code, parsed, *at, state.stands);
    const std::vector<airports::Stand>& stands = state.stands.parkStands;
    const std::string reserved = reservedStand(code);
    if (std::any_of(stands.begin(), stands.end(), [&](const airports::Stand& s) { return s.id == reserved; })) {
      state.statics.reservedStand = reserved;
    }
    const NoLiveTraffic traffic;
    airports::lf_calcStaticParking(state, traffic, user, *at);

    std::vector<StaticAircraft> chosen = state.statics.staticList;
    airports::sortByFitAndStand(chosen);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const StaticAircraft& aircraft : chosen) list.push_back(staticJson(aircraft, stands));
    nlohmann::ordered_json blocked = nlohmann::ordered_json::array();
    for (const airports::Stand& stand : stands) {
      if (stand.blocked) blocked.push_back(stand.id);
    }
    const airports::StaticParkingShown& shown = state.statics.shown;
    return printWithLog({{"airport", code},
                         {"day", state.statics.when.day},
                         {"halfHour", state.statics.when.halfHour},
                         {"stands", stands.size()},
                         {"wanted", shown.wanted},
                         {"percentage", shown.percentage},
                         {"realFit", shown.realFit},
                         {"softFit", shown.softFit},
                         {"blocked", blocked},
                         {"reserved", state.statics.reservedStand},
                         {"static", list}},
                        log);
  });
}

const Command command{"static-parking",
                      "ICAO --at TIME [--install DIR] [--site URL] [--user LAT,LON] [--set KEY=VALUE]...",
                      "the static aircraft the program would park on an airport's stands at a time, as JSON", run};

}  // namespace
}  // namespace tfx::tool

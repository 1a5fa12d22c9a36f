// aeroshadow-tool stands: one airport's stands as the program reads its park
// airport's, learned file included, with their use by half-hour of the week.
#include <fmt/format.h>

#include <filesystem>
#include <map>

#include "airport_tool_run.h"
#include "airports/day_half_hour.h"
#include "airports/stand_file_place.h"
#include "airports/stand_file_format.h"
#include "core/parameters.h"
#include "stands_park.h"

namespace tfx::tool {
namespace {

using airports::Stand;
using airports::StandOption;

constexpr std::string_view kUsage =
    "aeroshadow-tool stands ICAO [--at TIME] [--install DIR] [--site URL] [--set KEY=VALUE]...";

std::vector<int> halfHourList(const HourSet& hours) {
  std::vector<int> list;
  for (size_t slot = 0; slot < hours.size(); ++slot) {
    if (hours.test(slot)) list.push_back(static_cast<int>(slot));
  }
  return list;
}

nlohmann::ordered_json optionJson(const StandOption& option) {
  return {{"index", option.index},       {"airline", option.airline},
          {"type", option.type},         {"registration", option.registration},
          {"callsign", option.callsign}, {"callsignNote", option.callsignNote},
          {"day", option.day},           {"halfHours", halfHourList(option.halfHours)},
          {"real", option.real},         {"origin", option.origin}};
}

// Half-hours of each day in which some option of the kind holds the stand.
nlohmann::ordered_json useByDay(const Stand& stand, int real) {
  std::map<int, HourSet> days;
  for (const StandOption& option : stand.options) {
    if (option.index != 0 && option.real == real) days[option.day] |= option.halfHours;
  }
  nlohmann::ordered_json use = nlohmann::ordered_json::object();
  for (const auto& [day, hours] : days) use[std::to_string(day)] = halfHourList(hours);
  return use;
}

nlohmann::ordered_json standJson(const Stand& stand, const std::vector<Stand>& stands,
                                 const std::optional<airports::DayHalfHour>& now) {
  nlohmann::ordered_json overlaps = nlohmann::ordered_json::array();
  for (const int index : stand.overlaps) overlaps.push_back(stands[static_cast<size_t>(index - 1)].id);
  nlohmann::ordered_json options = nlohmann::ordered_json::array();
  nlohmann::ordered_json holding = nlohmann::ordered_json::array();
  for (const StandOption& option : stand.options) {
    options.push_back(optionJson(option));
    if (now && option.day == now->day && option.halfHours.test(static_cast<size_t>(now->halfHour))) {
      holding.push_back(option.index);
    }
  }
  nlohmann::ordered_json json{{"index", stand.index},
                              {"id", stand.id},
                              {"lat", stand.lat},
                              {"lon", stand.lon},
                              {"headingDeg", airports::normalizedHeading(stand.heading) * kRadToDeg},
                              {"radiusM", stand.radius * kMetersPerNm},
                              {"cargo", stand.cargo},
                              {"ramp", stand.ramp},
                              {"heli", stand.heli},
                              {"manual", stand.manual},
                              {"radiusChanged", stand.radiusChanged},
                              {"cargoChanged", stand.cargoChanged},
                              {"overlaps", overlaps},
                              {"options", options},
                              {"useReal", useByDay(stand, 1)},
                              {"useSoft", useByDay(stand, 0)}};
  if (now) json["now"] = holding;
  return json;
}

int run(CommandArguments arguments) {
  return runAirportCommand(kUsage, [&] {
    const AirportToolArguments parsed = parseAirportToolArguments(arguments, {"--at"});
    if (parsed.positional.size() != 1) throw UsageError("expected one ICAO code");
    std::optional<std::chrono::system_clock::time_point> at;
    if (parsed.options.contains("--at")) {
      at = parseToolTime(parsed.options.at("--at"));
      if (!at) throw UsageError(fmt::format("'{}' is no time", parsed.options.at("--at")));
    }
    enterInstallFolder(parsed);
    const std::string& code = parsed.positional.front();
    LogCapture log;
    airports::ParkStands park;
    readParkStands(code, parsed, at.value_or(std::chrono::system_clock::now()), park);
    const std::string learnedFile = airports::gf_learnedFilePath(park.fileName, park.info.publisher);
    const std::optional<airports::DayHalfHour> now =
        at ? std::optional(airports::gf_dayAndHalfHour(*at)) : std::nullopt;
    nlohmann::ordered_json answer{{"airport", code},
                                  {"file", park.fileName},
                                  {"learnedFile", learnedFile},
                                  {"learnedFileRead", log.contains("Read from learned airport file:")},
                                  {"handmade", park.handmade},
                                  {"airportName", park.info.name},
                                  {"publisher", park.info.publisher},
                                  {"altitudeFt", park.info.altitude},
                                  {"rtTrafficWeek", park.rtTrafficWeek},
                                  {"qualityReal", park.quality.real},
                                  {"qualitySoft", park.quality.soft},
                                  {"parkingPercentage", parking_percentage.value()},
                                  {"maxFit", MAX_FIT.value()},
                                  {"standCount", park.parkStands.size()}};
    if (now) {
      answer["day"] = now->day;
      answer["halfHour"] = now->halfHour;
    }
    nlohmann::ordered_json stands = nlohmann::ordered_json::array();
    for (const Stand& stand : park.parkStands) stands.push_back(standJson(stand, park.parkStands, now));
    answer["stands"] = std::move(stands);
    return printWithLog(std::move(answer), log);
  });
}

const Command command{"stands", "ICAO [--at TIME] [--install DIR] [--site URL] [--set KEY=VALUE]...",
                      "read an airport's stands (learned file included) as the program reads its park airport's, "
                      "as JSON",
                      run};

}  // namespace
}  // namespace tfx::tool

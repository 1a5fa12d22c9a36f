// aeroshadow-tool stands-learn: feeds observed parked aircraft to the stand
// learning of an airport and saves its learned file.
#include <fmt/format.h>

#include <algorithm>
#include <fstream>

#include "airport_tool_run.h"
#include "airports/save_learned.h"
#include "airports/stand_file_place.h"
#include "airports/stand_learning.h"
#include "stands_park.h"

namespace tfx::tool {
namespace {

constexpr std::string_view kUsage =
    "aeroshadow-tool stands-learn ICAO --observations FILE [--install DIR] [--site URL] [--set KEY=VALUE]...";

struct Observation {
  std::chrono::system_clock::time_point utc;
  std::string stand;
  airports::ParkedSighting aircraft;
  bool continuous = false;
};

Observation parseObservation(const std::string& line) {
  const nlohmann::json json = nlohmann::json::parse(line);
  const nlohmann::json& utc = json.at("utc");
  const std::optional<std::chrono::system_clock::time_point> time =
      parseToolTime(utc.is_string() ? utc.get<std::string>() : std::to_string(utc.get<long long>()));
  if (!time) throw std::runtime_error("utc is no time");
  return {.utc = *time,
          .stand = json.at("stand").get<std::string>(),
          .aircraft = {.objectId = json.at("objectId").get<uint32_t>(),
                       .registration = json.value("registration", ""),
                       .callsign = json.value("callsign", ""),
                       .airline = json.value("airline", ""),
                       .type = json.value("type", "")},
          .continuous = json.value("continuous", false)};
}

std::vector<Observation> readObservations(const std::string& file) {
  std::ifstream input(file);
  if (!input) throw std::runtime_error(fmt::format("cannot read '{}'", file));
  std::vector<Observation> observations;
  std::string line;
  for (int number = 1; std::getline(input, line); ++number) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    try {
      observations.push_back(parseObservation(line));
    } catch (const std::exception& error) {
      throw std::runtime_error(fmt::format("{} line {}: {}", file, number, error.what()));
    }
  }
  return observations;
}

int standIndex(const airports::ParkStands& park, const std::string& id) {
  const auto found = std::find_if(park.parkStands.begin(), park.parkStands.end(),
                                  [&](const airports::Stand& stand) { return stand.id == id; });
  return found == park.parkStands.end() ? 0 : found->index;
}

int run(CommandArguments arguments) {
  return runAirportCommand(kUsage, [&] {
    const AirportToolArguments parsed = parseAirportToolArguments(arguments, {"--observations"});
    if (parsed.positional.size() != 1 || !parsed.options.contains("--observations")) {
      throw UsageError("expected one ICAO code and --observations FILE");
    }
    const std::string observationsFile = std::filesystem::absolute(parsed.options.at("--observations")).string();
    enterInstallFolder(parsed);
    const std::vector<Observation> observations = readObservations(observationsFile);
    const std::string& code = parsed.positional.front();
    LogCapture log;
    airports::ParkStands park;
    readParkStands(code, parsed, std::chrono::system_clock::now(), park);
    // Every stand is checked before anything is learned, so a bad line saves nothing.
    std::vector<int> indices;
    for (size_t line = 0; line < observations.size(); ++line) {
      indices.push_back(standIndex(park, observations[line].stand));
      if (indices.back() == 0) {
        throw std::runtime_error(fmt::format("{} line {}: unknown stand '{}'", observationsFile, line + 1,
                                             observations[line].stand));
      }
    }
    for (size_t line = 0; line < observations.size(); ++line) {
      const Observation& seen = observations[line];
      airports::lt_addStandOption(park, indices[line], seen.aircraft, airports::gf_dayAndHalfHour(seen.utc),
                                  seen.continuous);
    }
    const int updates = park.updates;
    const bool saved = updates > 0 && airports::gf_saveLearned(park);
    return printWithLog({{"airport", code},
                         {"updates", updates},
                         {"saved", saved},
                         {"learnedFile", airports::gf_learnedFilePath(park.fileName, park.info.publisher)}},
                        log);
  });
}

const Command command{"stands-learn", "ICAO --observations FILE [--install DIR] [--site URL] [--set KEY=VALUE]...",
                      "learn observed parked aircraft (one JSON object per line) into an airport's learned file",
                      run};

}  // namespace
}  // namespace tfx::tool

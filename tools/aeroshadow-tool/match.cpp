// aeroshadow-tool match --install DIR --type T ...: the matching set-up on
// the saved liveries, then the livery matching for one aircraft (or one per
// line of --batch FILE) with the fields exactly as given.
#include <fmt/format.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>

#include "aircraft/aircraft_queries.h"
#include "aircraft/livery_catalogue.h"
#include "command.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/random.h"
#include "install_folder.h"
#include "tool_options.h"

namespace tfx::tool {
namespace {

using nlohmann::ordered_json;

struct Aircraft {
  std::string type, airline, registration, callsign, hexid;
  bool cargo = false;
};

ordered_json matchOne(LiveryMatching& matcher, const Aircraft& aircraft, bool forStatic) {
  const std::string description = fmt::format("{} {} {} {}", aircraft.hexid, aircraft.callsign, aircraft.airline,
                                              aircraft.type);
  const AircraftCategory category = gf_acCategory(aircraft.type);
  const LiveryRequest request{aircraft.airline, aircraft.type, aircraft.registration, category,
                              aircraft.cargo,   description,   aircraft.callsign};
  const auto start = std::chrono::steady_clock::now();
  const LiveryMatch match = forStatic ? matcher.findLiveryStaticAc(request) : matcher.findLiveryLiveAc(request);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return {{"title", match.title.empty() ? ordered_json() : ordered_json(std::string(match.title))},
          {"step", match.step},
          {"candidates", match.candidates},
          {"matched", !match.title.empty()},
          {"counted", match.counted},
          {"fsltl", match.fsltl},
          {"category", categoryName(category)},
          {"us", std::chrono::duration<double, std::micro>(elapsed).count()}};
}

Aircraft aircraftOf(const nlohmann::json& line) {
  const auto text = [&](const char* key) { return line.value(key, std::string()); };
  if (!line.contains("type")) throw std::runtime_error(fmt::format("batch line without type: {}", line.dump()));
  return Aircraft{text("type"), text("airline"), text("reg"), text("callsign"), text("hexid"), line.value("cargo", false)};
}

void runBatch(LiveryMatching& matcher, const std::string& path, bool forStatic) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error(fmt::format("cannot read {}", path));
  size_t number = 0;
  for (std::string line; std::getline(file, line);) {
    ++number;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
      throw std::runtime_error(fmt::format("{}:{}: not a JSON object", path, number));
    }
    fmt::print("{}\n", jsonText(matchOne(matcher, aircraftOf(parsed), forStatic)));
  }
  ordered_json steps = ordered_json::object();
  const auto counts = matcher.stepCounts();
  for (int step = 1; step <= kMatchingSteps; ++step) steps[std::to_string(step)] = counts[static_cast<size_t>(step - 1)];
  fmt::print("{}\n", jsonText({{"summary", std::move(steps)}, {"failedTitles", matcher.failedTitles()}}));
}

int run(CommandArguments arguments) {
  const ToolOptions options(arguments,
                            {"--install", "--type", "--airline", "--reg", "--callsign", "--hexid", "--depth", "--seed",
                             "--failed", "--batch"},
                            {"--cargo", "--static"});
  const std::optional<std::string> batch = options.value("--batch");
  if (!batch && !options.value("--type")) throw UsageError("--type or --batch is required");
  const long long depth = options.number("--depth").value_or(4);
  if (depth < 1 || depth > 4) throw UsageError("--depth is 1, 2, 3 or 4");
  MATCHING_DEPTH.set(depth);
  const std::optional<long long> seed = options.number("--seed");
  RANDOM.set(seed.has_value());
  if (seed) seedRandomEngine(static_cast<uint32_t>(*seed));
  const std::string batchPath = batch ? std::filesystem::absolute(*batch).string() : std::string();

  LogCapture log;
  enterInstallFolder(options.required("--install"));
  LiveryCatalogue catalogue(aircraftDatabase());
  lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  for (const std::string& title : options.values("--failed")) catalogue.matcher.addFailedTitle(title);
  if (batch) {
    runBatch(catalogue.matcher, batchPath, options.flag("--static"));
    return 0;
  }
  const Aircraft aircraft{options.required("--type"),    options.value("--airline").value_or(""),
                          options.value("--reg").value_or(""), options.value("--callsign").value_or(""),
                          options.value("--hexid").value_or(""), options.flag("--cargo")};
  fmt::print("{}\n", jsonText(matchOne(catalogue.matcher, aircraft, options.flag("--static"))));
  return 0;
}

const Command command{"match",
                      "--install DIR (--type T [--airline A] [--reg R] [--callsign C] [--hexid H] [--cargo] | "
                      "--batch FILE) [--depth N] [--seed N] [--failed TITLE]... [--static]",
                      "the livery the program would choose for an aircraft, with its matching step, as JSON",
                      run};

}  // namespace
}  // namespace tfx::tool

// aeroshadow-tool addon-scan: the program's add-on airport scan in an install
// folder, with the simulator's folders and the settings given on the command line.
#include <fmt/format.h>

#include <chrono>
#include <cstdlib>

#include "airport_tool_run.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "runstate/user_error.h"
#include "scan/airport_scan.h"

namespace tfx::tool {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kUsage =
    "aeroshadow-tool addon-scan --sim-root DIR --install DIR [--program-data DIR] [--afolder DIR]... [--site URL]";

struct ScanArguments {
  AirportToolArguments tool;
  std::string simRoot;
  std::string programData;
  std::vector<std::string> afolders;
};

ScanArguments parse(CommandArguments arguments) {
  ScanArguments parsed;
  std::vector<std::string_view> rest;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const bool own = argument == "--sim-root" || argument == "--program-data" || argument == "--afolder";
    if (!own) {
      rest.push_back(argument);
      continue;
    }
    if (i + 1 >= arguments.size()) throw UsageError(fmt::format("{} needs a value", argument));
    const std::string value(arguments[++i]);
    if (argument == "--sim-root") parsed.simRoot = value;
    if (argument == "--program-data") parsed.programData = value;
    if (argument == "--afolder") parsed.afolders.push_back(value);
  }
  parsed.tool = parseAirportToolArguments(rest, {});
  if (!parsed.tool.positional.empty()) throw UsageError(fmt::format("unexpected '{}'", parsed.tool.positional.front()));
  if (parsed.simRoot.empty()) throw UsageError("--sim-root is required");
  if (std::find(rest.begin(), rest.end(), "--install") == rest.end()) throw UsageError("--install is required");
  if (parsed.afolders.size() > afolder.size()) throw UsageError(fmt::format("at most {} --afolder", afolder.size()));
  return parsed;
}

Json resultJson(const scan::AddonScanResult& result, double seconds) {
  Json paths = Json::array();
  for (const auto& path : result.sceneryPaths) paths.push_back(path.string());
  Json damaged = Json::array();
  for (const auto& file : result.damaged) damaged.push_back({{"file", file.file}, {"reason", file.reason}});
  Json generated = Json::array();
  for (const auto& file : result.generated) {
    generated.push_back({{"ident", file.ident}, {"file", file.file}, {"positions", file.positions},
                         {"helipads", file.helipads}, {"publisher", file.publisher}, {"bgl", file.bgl}});
  }
  Json linked = Json::array();
  for (const auto& file : result.linked) linked.push_back({{"ident", file.ident}, {"file", file.file}, {"target", file.target}});
  return Json{{"sceneryPaths", paths},      {"bglFiles", result.bglFiles}, {"notScenery", result.notScenery},
              {"damaged", damaged},         {"airports", result.airports}, {"generated", generated},
              {"linked", linked},           {"tblo", result.tblo},         {"seconds", seconds}};
}

int run(CommandArguments arguments) {
  LogCapture log;
  const int status = runAirportCommand(kUsage, [&] {
    const ScanArguments parsed = parse(arguments);
    if (!parsed.programData.empty()) setenv("XDG_DATA_HOME", parsed.programData.c_str(), 1);
    enterInstallFolder(parsed.tool);
    createProgramFolders();
    readInstalledAircraftDatabase();
    SIM_INSTALL_PATH.set(parsed.simRoot);
    if (!parsed.afolders.empty()) {
      AFG_AUTOMATIC.set(false);
      for (size_t index = 0; index < afolder.size(); ++index) {
        afolder[index].set(index < parsed.afolders.size() ? parsed.afolders[index] : "");
      }
    }
    const auto start = std::chrono::steady_clock::now();
    const scan::AddonScanResult result = scan::scanAddonAirports(parsed.tool.site);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    fmt::print("{}\n", resultJson(result, seconds.count()).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    if (!result.complete) fmt::print(stderr, "the scan stopped: {}\n", result.error);
    return result.complete ? 0 : 1;
  });
  for (const std::string& line : log.lines()) fmt::print(stderr, "{}\n", line);
  return status;
}

const Command command{"addon-scan", kUsage.substr(std::string_view("aeroshadow-tool addon-scan ").size()),
                      "run the add-on airport scan in an install folder and list what it generated, as JSON", run};

}  // namespace
}  // namespace tfx::tool

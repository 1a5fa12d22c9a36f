// aeroshadow-tool liveries-scan --install DIR ...: runs the livery scan and
// the matching set-up as the program runs them at start, and prints what
// they found as one JSON object.
#include <fmt/format.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>

#include "aircraft/aircraft_database.h"
#include "aircraft/livery_catalogue.h"
#include "aircraft/livery_scan.h"
#include "command.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/simulator_detection.h"
#include "install_folder.h"
#include "platform/known_folders.h"
#include "tool_options.h"

namespace tfx::tool {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using nlohmann::ordered_json;

fs::path absoluteOf(const std::string& path) { return fs::absolute(path); }

LiveryScanRequest requestFrom(const ToolOptions& options) {
  const std::vector<std::string> folders = options.values("--folder");
  if (folders.size() > kMaxScanFolders) throw UsageError(fmt::format("at most {} --folder", kMaxScanFolders));
  if (auto root = options.value("--sim-root")) SIM_INSTALL_PATH.set(absoluteOf(*root).string());
  LiveryScanRequest request;
  request.automatic = folders.empty();
  request.prioritize = options.flag("--prioritize");
  for (const std::string& folder : folders) request.manualFolders.push_back(absoluteOf(folder));
  request.sources = AddonFolderSources{
      options.value("--appdata") ? absoluteOf(*options.value("--appdata")) : platform::roamingAppDataFolder(),
      options.value("--programdata") ? absoluteOf(*options.value("--programdata")) : platform::programDataFolder(),
      SIM_INSTALL_PATH.value(), simMajorVersion()};
  return request;
}

// Once the scan has run a second, a line a second.
class ProgressLines {
 public:
  void operator()(const ScanProgress& progress) {
    const auto now = Clock::now();
    if (now < next_) return;
    next_ = now + std::chrono::seconds(1);
    fmt::print(stderr, "liveries-scan: folder {}/{}, {} aircraft.cfg, {} liveries\n", progress.folder,
               progress.folders, progress.files, progress.liveries);
  }

 private:
  Clock::time_point next_ = Clock::now() + std::chrono::seconds(1);
};

ordered_json reportLineCounts() {
  ordered_json counts = ordered_json::object();
  for (const fs::path& folder : {paths::outputErrors, paths::outputInfo}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      if (!entry.is_regular_file() || entry.path().extension() != ".txt") continue;
      std::ifstream file(entry.path(), std::ios::binary);
      const auto lines = std::count(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(), '\n');
      counts[entry.path().filename().string()] = lines;
    }
  }
  return counts;
}

ordered_json summary(const LiveryScanRequest& request, const LiveryScanResult& result, const LiveryCatalogue& catalogue,
                     const ScanReports& reports) {
  ordered_json folders = ordered_json::array();
  for (const ScannedFolder& folder : result.folders) {
    ordered_json entry{{"index", folder.index}, {"path", folder.path.string()}};
    if (folder.liveries) {
      entry["liveries"] = *folder.liveries;
    } else {
      entry["skipped"] = folder.skipped;
    }
    folders.push_back(std::move(entry));
  }
  ordered_json categories = ordered_json::object();
  for (size_t index = 0; index < kAircraftCategoryCount; ++index) {
    categories[std::string(categoryName(static_cast<AircraftCategory>(index)))] = {
        {"pax", catalogue.categories[index].passenger}, {"cargo", catalogue.categories[index].cargo}};
  }
  ordered_json skipped = ordered_json::array();
  for (const auto& [file, reason] : reports.skipped()) skipped.push_back({{"file", file}, {"reason", reason}});
  return {{"mode", request.automatic ? "automatic" : "manual"},
          {"folders", std::move(folders)},
          {"files", result.files},
          {"liveries", catalogue.tables.liveryCount()},
          {"regcodes", catalogue.tables.specialLiveries().size()},
          {"airlines", catalogue.tables.airlineCount()},
          {"paxModels", catalogue.tables.typeCount(kPassenger)},
          {"cargoModels", catalogue.tables.typeCount(kCargo)},
          {"categories", std::move(categories)},
          {"reports", reportLineCounts()},
          {"skipped", std::move(skipped)}};
}

void writeLogFile(const std::optional<std::string>& path, const LogCapture& log) {
  if (!path) return;
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : log.lines()) file << line << '\n';
}

int run(CommandArguments arguments) {
  const ToolOptions options(arguments, {"--install", "--sim-root", "--appdata", "--programdata", "--folder", "--log"},
                            {"--prioritize"});
  const std::optional<std::string> logFile = options.value("--log") ? std::optional(absoluteOf(*options.value("--log")).string())
                                                                    : std::nullopt;
  const LiveryScanRequest request = requestFrom(options);
  LogCapture log;
  try {
    enterInstallFolder(options.required("--install"));
    const auto start = Clock::now();
    ScanReports reports;
    ProgressLines progress;
    const LiveryScanResult result =
        lf_scanLiveries(request, aircraftDatabase(), reports, [&](const ScanProgress& now) { progress(now); });
    LiveryCatalogue catalogue(aircraftDatabase());
    lf_processScannedLiveries(catalogue, paths::liveriesScanned);
    ordered_json answer = summary(request, result, catalogue, reports);
    answer["ms"] = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    writeLogFile(logFile, log);
    fmt::print("{}\n", jsonText(answer));
    return 0;
  } catch (const std::exception&) {
    writeLogFile(logFile, log);
    throw;
  }
}

const Command command{"liveries-scan",
                      "--install DIR [--sim-root DIR] [--appdata DIR] [--programdata DIR] [--folder DIR]... "
                      "[--prioritize] [--log FILE]",
                      "scan the installed AI liveries as the program does at start (manual mode with --folder) and "
                      "print folders, counts, categories and reports as JSON",
                      run};

}  // namespace
}  // namespace tfx::tool

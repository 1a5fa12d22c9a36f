#include "aircraft/livery_scan.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>

#include "aircraft/aircraft_cfg_file.h"
#include "aircraft/liveries_file.h"
#include "aircraft/regcode_set_up.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/scan_tasks.h"
#include "core/simulator_detection.h"
#include "core/text_trim.h"
#include "platform/known_folders.h"
#include "platform/windows_file_lookup.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxWalkedPathLength = 250;
constexpr size_t kMinAirportPathLength = 7;

std::string liveriesSentence(size_t count) { return fmt::format("{} liverie{}", count, count == 1 ? "" : "s"); }

bool isAircraftCfg(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.size() == 12 && lowerAscii(name) == "aircraft.cfg";
}

class FolderWalk {
 public:
  FolderWalk(int32_t index, CfgScanContext& context, LiveryScanResult& result, ScanProgress& progress,
             const ScanProgressReport& report)
      : index_(index), context_(context), result_(result), progress_(progress), report_(report),
        tasks_([this](LiveryList&& found) {
          found_ += found.size();
          progress_.liveries += found.size();
          std::move(found.begin(), found.end(), std::back_inserter(result_.liveries));
        }) {}

  size_t walk(const fs::path& folder) {
    // Entries in name order, so every scan of the same folders is the same.
    std::vector<fs::path> stack{folder};
    while (!stack.empty()) {
      const fs::path directory = std::move(stack.back());
      stack.pop_back();
      std::vector<fs::path> subfolders;
      for (const fs::path& entry : entriesOf(directory)) visit(entry, subfolders);
      stack.insert(stack.end(), subfolders.rbegin(), subfolders.rend());
    }
    tasks_.collectAll();
    return found_;
  }

 private:
  std::vector<fs::path> entriesOf(const fs::path& directory) {
    std::vector<fs::path> entries;
    std::error_code error;
    fs::directory_iterator iterator(directory, error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) entries.push_back(iterator->path());
    if (error) context_.reports.skip(directory.string(), error.message());
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  void visit(const fs::path& entry, std::vector<fs::path>& subfolders) {
    const std::string text = entry.string();
    // Also ends a loop of links: its paths grow until they are too long.
    if (text.size() >= kMaxWalkedPathLength) return;
    std::error_code error;
    const fs::file_status status = fs::status(entry, error);
    if (fs::is_directory(status)) {
      const bool sceneryFolder = text.size() >= kMinAirportPathLength && text.find("airport") != std::string::npos;
      if (!sceneryFolder) subfolders.push_back(entry);
      return;
    }
    if (!isAircraftCfg(entry)) return;
    if (!fs::is_regular_file(status)) {
      context_.reports.skip(text, error ? error.message() : "not a regular file");
      return;
    }
    ++result_.files;
    ++progress_.files;
    tasks_.start([this, entry] { return lf_searchLiveriesinFile(entry, index_, context_); });
    if (report_) report_(progress_);
  }

  int32_t index_;
  CfgScanContext& context_;
  LiveryScanResult& result_;
  ScanProgress& progress_;
  const ScanProgressReport& report_;
  size_t found_ = 0;
  ScanTasks<LiveryList> tasks_;
};

void scanFolders(const std::vector<fs::path>& folders, CfgScanContext& context, LiveryScanResult& result,
                 const ScanProgressReport& report) {
  ScanProgress progress{0, folders.size(), 0, 0};
  for (size_t position = 0; position < folders.size(); ++position) {
    const fs::path& folder = folders[position];
    ScannedFolder scanned{static_cast<int32_t>(std::min(position + 1, kMaxScanFolders)), folder, std::nullopt, {}};
    progress.folder = position + 1;
    std::error_code error;
    if (!fs::exists(folder, error)) {
      writeLog(fmt::format("{} does not exist, skipped!", folder.string()));
      scanned.skipped = "does not exist";
    } else if (!fs::is_directory(folder, error)) {
      writeLog(fmt::format("{} is not a folder name, skipped!", folder.string()));
      scanned.skipped = "is not a folder";
    } else {
      const size_t found = FolderWalk(scanned.index, context, result, progress, report).walk(folder);
      scanned.liveries = found;
      const std::string where = fmt::format("found in {}", folder.string());
      writeLog(found > 0 ? fmt::format("{} {}", liveriesSentence(found), where) : fmt::format("No liveries {}", where));
    }
    result.folders.push_back(std::move(scanned));
  }
  if (folders.size() > 1) writeLog(fmt::format("{} in total", liveriesSentence(result.liveries.size())));
}

}  // namespace

LiveryScanRequest settingsScanRequest() {
  LiveryScanRequest request;
  request.automatic = LIG_AUTOMATIC.value();
  request.prioritize = LIG_PRIORITIZE.value();
  for (const StringParameter& folder : lfolder) {
    if (!folder.empty()) request.manualFolders.emplace_back(folder.value());
  }
  request.sources = AddonFolderSources{appDataFolder(), platform::programDataFolder(), SIM_INSTALL_PATH.value(),
                                       simMajorVersion()};
  return request;
}

std::vector<fs::path> liveryScanFolders(const LiveryScanRequest& request) {
  return request.automatic ? lf_readP3DAddOnsAircraft(request.sources) : request.manualFolders;
}

void applyRegistrationData(LiveryList& liveries, const AircraftDatabase& database, ScanReports& reports) {
  for (LiveryData& livery : liveries) {
    if (livery.atcId.empty()) continue;
    const std::optional<RegcodeRecord> record = database.findRegcode(livery.atcId);
    if (!record) continue;
    const auto convert = [&](std::string_view what, const auto& from, const auto& to) {
      reports.add(ScanReport::AirlineModelConversions,
                  fmt::format("{:80} {} {} {} => {}", livery.title, livery.atcId, what, from, to));
    };
    if (record->cargo != livery.cargo) {
      convert("cargo", livery.cargo, record->cargo);
      livery.cargo = record->cargo;
    }
    if (!record->airline.empty() && record->airline != livery.airline) {
      convert("airl", livery.airline, record->airline);
      livery.airline = record->airline;
    }
    if (!record->type.empty() && record->type != livery.type) {
      convert("model", livery.type, record->type);
      livery.type = record->type;
    }
  }
}

void keepLowestFolders(LiveryList& liveries) {
  std::map<std::pair<std::string_view, std::string_view>, int32_t> lowest;
  for (const LiveryData& livery : liveries) {
    auto [entry, added] = lowest.try_emplace({livery.airline, livery.type}, livery.folderIndex);
    if (!added) entry->second = std::min(entry->second, livery.folderIndex);
  }
  std::vector<bool> keep;
  keep.reserve(liveries.size());
  for (const LiveryData& livery : liveries) keep.push_back(livery.folderIndex <= lowest.at({livery.airline, livery.type}));
  size_t position = 0;
  std::erase_if(liveries, [&](const LiveryData&) { return !keep[position++]; });
}

LiveryScanResult lf_scanLiveries(const LiveryScanRequest& request, const AircraftDatabase& database,
                                 ScanReports& reports, const ScanProgressReport& progress) {
  showMessage(fmt::format("Scanning {} for liveries ...", request.prioritize && !request.automatic ? "prioritized " : ""));
  writeLog(fmt::format("\n++++++++++++++++++++++++ liveries scan {} starts ++++++++++++++++++++++++++++++++",
                       request.automatic ? "automatic" : "manual"));
  const std::vector<fs::path> folders = liveryScanFolders(request);
  if (!request.automatic && folders.empty()) {
    throw UserErrorException(
        48, "Set lfolder parameter(-s) to your liveries first, see Manual 5.1 (or check Liveries automatic)");
  }
  reports.clear();
  removeScanReportFiles();
  const TitleSet dontUseTitles = readDontUseTitles();
  CfgScanContext context{database, dontUseTitles, reports, &platform::existsAsOnWindows};

  LiveryScanResult result;
  scanFolders(folders, context, result, progress);
  applyRegistrationData(result.liveries, database, reports);
  if (request.prioritize) keepLowestFolders(result.liveries);
  saveScannedLiveries(result.liveries, paths::liveriesScanned);
  writeScanReports(reports);
  if (result.liveries.empty()) {
    if (!request.automatic) throw UserErrorException(53, "no liveries found");
    throw UserErrorException(43,
                             "Automatic scan has not found any liveries, switch off automatic and set lfolder "
                             "parameter(-s), Manual 5.1");
  }
  writeLog("\n++++++++++++++++++++++++ liveries scan ends ++++++++++++++++++++++++++++++++\n");
  return result;
}

}  // namespace tfx

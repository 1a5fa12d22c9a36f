#include "scan/airport_scan.h"

#include <fmt/format.h>

#include <chrono>
#include <deque>
#include <fstream>
#include <future>
#include <map>
#include <thread>
#include <unordered_set>

#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "scan/archive_link.h"
#include "scan/bgl_file_scan.h"
#include "scan/file_task_pool.h"
#include "scan/generated_file.h"
#include "scan/offline_learning.h"
#include "scan/scenery_paths.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kTaskWaitSeconds = 10;
constexpr auto kProgressInterval = 500ms;

// The new files are built beside the old ones and take their place only when
// the scan completes, so a stopped scan leaves the last complete one.
fs::path asideFolder(const fs::path& folder) { return fs::path(folder.string() + ".scanning"); }

void replaceFolder(const fs::path& folder) {
  const fs::path old(folder.string() + ".old");
  fs::remove_all(old);
  if (fs::exists(folder)) fs::rename(folder, old);
  fs::rename(asideFolder(folder), folder);
  fs::remove_all(old);
}

void emptyFolder(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

// Throws the file-system error when the file cannot be written.
void writeTextFile(const fs::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw fs::filesystem_error("write", file, std::make_error_code(std::errc::io_error));
}

bool isBglFile(const fs::path& file) {
  const fs::path extension = file.extension();
  return extension == ".BGL" || extension == ".bgl";
}

struct PendingFile {
  std::string path;
  std::future<BglFileResult> result;
};

// The path a file has with its links resolved, for telling files named
// twice apart. The walk follows no folder links, so below a folder's own
// resolved path only a linked file has a path of its own.
std::string resolvedPath(const fs::directory_entry& entry, const fs::path& folder, const fs::path& resolvedFolder) {
  if (entry.is_symlink()) return fs::canonical(entry.path()).string();
  return (resolvedFolder / entry.path().lexically_relative(folder)).string();
}

size_t taskLimit() { return std::max(1U, std::thread::hardware_concurrency()); }

struct FileScan {
  explicit FileScan(AddonScanResult& result, ScanLog& log) : result(result), log(log) {}

  // The worker threads end with the walk: a process whose other threads are
  // gone gives memory back without interrupting other processors.
  void scanFolders(const std::vector<fs::path>& folders) {
    const size_t limit = taskLimit();
    FileTaskPool pool(limit);
    for (size_t index = 0; index < folders.size() && !stopRequested(); ++index) {
      const fs::path& folder = folders[index];
      folderNumber = index + 1;
      folderCount = folders.size();
      std::error_code error;
      if (!fs::exists(folder, error)) {
        log.line(fmt::format("{} does not exist, skipped!", folder.string()));
        continue;
      }
      if (!fs::is_directory(folder, error)) {
        log.line(fmt::format("{} is not a folder name, skipped!", folder.string()));
        continue;
      }
      log.line(fmt::format("Scanning for addon airports in {}", folder.string()));
      const fs::path resolvedFolder = fs::canonical(folder);
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (stopRequested()) break;
        if (!entry.is_regular_file() || !isBglFile(entry.path())) continue;
        const std::string path = entry.path().string();
        if (path.find("statics") != std::string::npos || path.find("_heliports") != std::string::npos ||
            isStockScenery(entry.path().generic_string()) ||
            !seen.insert(resolvedPath(entry, folder, resolvedFolder)).second) {
          continue;
        }
        if (pending.size() >= limit) collectOldest();
        result.bglFiles.push_back(path);
        pending.push_back({path, pool.run([&log = log, file = entry.path()] { return lf_processBGLfile(file, log); })});
        showProgress(false);
      }
    }
    while (!pending.empty()) collectOldest();
    showProgress(true);
  }

  void collectOldest() {
    PendingFile& oldest = pending.front();
    int waited = 0;
    while (oldest.result.wait_for(1s) != std::future_status::ready) {
      log.line(fmt::format("{}futs #1 not yet valid ? ...", kErrorPrefix));
      if (++waited >= kTaskWaitSeconds) throw std::runtime_error("Future wait timed out after 10 seconds");
    }
    BglFileResult file = oldest.result.get();
    if (!file.damage.empty()) {
      result.damaged.push_back({oldest.path, file.damage});
    } else if (!file.scenery) {
      result.notScenery.push_back(oldest.path);
    }
    result.airports += static_cast<int>(file.airports.size());
    for (FoundAirport& airport : file.airports) keepWinner(std::move(airport));
    pending.pop_front();
  }

  // One ident in several records: the one with most positions, on a tie
  // the later in scan order. Files are collected in scan order, so a record
  // replaces the one kept so far when it has at least as many positions.
  void keepWinner(FoundAirport&& airport) {
    const auto [kept, first] = winners.try_emplace(airport.ident);
    if (first || airport.positions >= kept->second.positions) kept->second = std::move(airport);
  }

  void showProgress(bool always) {
    const auto now = std::chrono::steady_clock::now();
    if (!always && now - lastProgress < kProgressInterval) return;
    lastProgress = now;
    showMessage(fmt::format("Scanning add-on airports: {} of {} folders, {} BGL files, {} airports", folderNumber,
                            folderCount, result.bglFiles.size(), result.airports),
                false);
  }

  AddonScanResult& result;
  ScanLog& log;
  std::deque<PendingFile> pending;
  std::unordered_set<std::string> seen;  // resolved paths
  std::map<std::string, FoundAirport> winners;  // by ident
  size_t folderNumber = 0;
  size_t folderCount = 0;
  std::chrono::steady_clock::time_point lastProgress{};
};

void generate(const FoundAirport& airport, std::string_view baseUrl, AddonScanResult& result, ScanLog& log) {
  const std::string& kind = airport.kind;
  const bool simaddon = kind == "simaddon";
  const fs::path folder = simaddon ? paths::myOrbx : paths::myThirdparty;
  const std::optional<std::string> link = archiveLink(kind, airport.ident, log);
  const int positions = airport.positions;
  int archived = 0;
  if (link) {
    const fs::path linkFile = asideFolder(folder) / fmt::format("{}.txt", airport.ident);
    writeTextFile(linkFile, *link + "\n");
    result.linked.push_back({airport.ident, (folder / linkFile.filename()).generic_string(), *link});
    archived = archivedStandCount(*link, asideFolder(folder) / fmt::format("{}.archived", airport.ident), baseUrl, log);
    if (!simaddon && positions > archived) {
      log.error(fmt::format("{} has {} parkpos while archived one has {}", airport.ident, positions, archived));
    }
    if (simaddon || positions <= archived) return;
  }
  const fs::path file = generatedFile(kind, airport.ident);
  const fs::path target = asideFolder(folder) / file.filename();
  if (!(airport.unchanged ? keepEarlierFile(file, target) : writeGeneratedFile(airport.text, target))) {
    log.error(fmt::format("Generating {} did not succeed", file.generic_string()));
    return;
  }
  std::string helipads;
  if (airport.helipads > 0) helipads = fmt::format(", of which {} helipad{}", airport.helipads, airport.helipads == 1 ? "" : "s");
  log.line(fmt::format("Generated {}: {} position{}{}", file.generic_string(), positions, positions == 1 ? "" : "s", helipads));
  result.generated.push_back({airport.ident, file.generic_string(), positions, airport.helipads, kind, airport.bgl});
}

// The scan's own log is a report; failing to write it costs only the report.
void writeScanLog(const ScanLog& log) {
  const fs::path file = paths::outputInfo / paths::kAirportsScanLog;
  std::string text;
  for (const std::string& line : log.lines()) text += line + "\n";
  try {
    writeTextFile(file, text);
    writeLog(fmt::format("{} written", file.generic_string()));
  } catch (const fs::filesystem_error& error) {
    writeLogError(error.what());
  }
}

void runFileScan(const std::vector<fs::path>& folders, std::string_view baseUrl, AddonScanResult& result, ScanLog& log) {
  fs::remove(paths::outputInfo / paths::kAirportsScanLog);
  for (const fs::path& folder : {paths::myOrbx, paths::myThirdparty}) emptyFolder(asideFolder(folder));
  FileScan scan(result, log);
  scan.scanFolders(folders);
  if (stopRequested()) return;
  for (const auto& [ident, airport] : scan.winners) generate(airport, baseUrl, result, log);
  for (const fs::path& folder : {paths::myOrbx, paths::myThirdparty}) replaceFolder(folder);
  for (const auto& [folder, kindName] : {std::pair{paths::myOrbx, "ORBX"}, std::pair{paths::myThirdparty, "third party"}}) {
    for (std::string& copied : offlineLearning(folder, kindName, baseUrl, log)) result.tblo.push_back(std::move(copied));
  }
  result.complete = true;
  log.line("Airports scan successful");
}

}  // namespace

AddonScanResult scanAddonAirports(std::string_view baseUrl) {
  AddonScanResult result;
  ScanLog log;
  log.line("Scanning for addon airports ...");
  log.line(fmt::format("\n++++++++++++++++++++++++ airports scan {} starts +++++++++++++++++++++++++++++",
                       AFG_AUTOMATIC.value() ? "automatic " : "manual "));
  emptyFolder(paths::tblo);
  result.sceneryPaths = collectSceneryPaths(log);
  try {
    runFileScan(result.sceneryPaths, baseUrl, result, log);
  } catch (const UserErrorException&) {
    throw;
  } catch (const std::exception& error) {
    result.error = error.what();
    log.error(fmt::format("{}: {}", "lf_scanAirports", error.what()));
  }
  if (!result.complete) {
    for (const fs::path& folder : {paths::myOrbx, paths::myThirdparty}) {
      std::error_code ignored;
      fs::remove_all(asideFolder(folder), ignored);
    }
  }
  writeScanLog(log);
  if (result.complete && result.generated.empty()) showMessage("Warning: Scan has not found any add-on airports");
  return result;
}

AddonScanResult lf_scanAirports(std::string_view baseUrl) {
  AddonScanResult result = scanAddonAirports(baseUrl);
  if (result.complete) {
    SCAN_AIRPORTS.set(false);
    saveParameter(SCAN_AIRPORTS);
    SCAN_AIRPORTS.showInControl();
  }
  writeLog("-------------------------- airports scan ends    ----------------------------\n");
  return result;
}

}  // namespace tfx::scan

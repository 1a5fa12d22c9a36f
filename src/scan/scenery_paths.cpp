#include "scan/scenery_paths.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string>

#include "core/parameters.h"
#include "core/simulator_detection.h"
#include "core/text_files.h"
#include "core/text_trim.h"
#include "platform/known_folders.h"
#include "platform/windows_path.h"
#include "runstate/user_error.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;

constexpr auto kStockMarkers = std::to_array<std::string_view>(
    {"/Cities", "/CITIES", "/cities", "/World", "/BASE", "/Global", "/Bathymetry", "/AFRI", "/ASIA", "/AUST",
     "/EURE",   "/EURW",   "/NAMC",   "/NAME",  "/NAMW", "/OCEN",   "/SAME",       "/0006", "/0007", "/0103",
     "/0106",   "/0107",   "/0206",   "/0207",  "/0307", "/0407",   "/0505",       "/0506", "/0507", "/0606",
     "/0607",   "/0706",   "/0707",   "/0805",  "/0806", "/0807",   "/0900",       "/0906", "/0907", "/1000",
     "/1006",   "/1007",   "/1100",   "/1102",  "/1107"});

bool containsAny(std::string_view line, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(), [&](std::string_view word) { return line.find(word) != std::string_view::npos; });
}

std::string valueAfterEquals(std::string_view line) {
  const size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string() : std::string(trimBlanks(line.substr(equals + 1)));
}

void addOnce(std::vector<fs::path>& paths, fs::path path) {
  if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(std::move(path));
}

struct Area {
  bool active = false;
  std::string local;
};

void takeArea(const Area& area, std::vector<fs::path>& paths, ScanLog& log) {
  if (!area.active || area.local.empty()) return;
  fs::path folder = sceneryFolder(area.local);
  std::error_code error;
  if (isStockScenery(folder.generic_string()) || !fs::exists(folder, error)) return;
  if (std::find(paths.begin(), paths.end(), folder) != paths.end()) return;
  log.line(fmt::format("      found:{}", folder.string()));
  paths.push_back(std::move(folder));
}

bool readLines(const fs::path& file, std::vector<std::string>& lines, ScanLog& log) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    log.line(fmt::format("{} not found!", file.string()));
    return false;
  }
  if (!gf_readExtTextFileToStringVector(file, lines)) {
    log.error(fmt::format("{} could not be read", file.string()));
    return false;
  }
  return true;
}

}  // namespace

bool isStockScenery(std::string_view path) {
  return std::any_of(kStockMarkers.begin(), kStockMarkers.end(),
                     [&](std::string_view marker) { return path.find(marker) != std::string_view::npos; });
}

fs::path sceneryFolder(std::string_view value) {
  const std::string_view trimmed = trimBlanks(value);
  fs::path folder = platform::fromWindowsPath(trimmed);
  if (folder.is_absolute() || trimmed.find(":\\") != std::string_view::npos) return folder;
  return platform::fromWindowsPath(SIM_INSTALL_PATH.value()) / folder;
}

fs::path simulatorConfigFolder() {
  return platform::programDataFolder() / "Lockheed Martin" / fmt::format("Prepar3D v{}", simMajorVersion());
}

// A section starts at a line naming an area that sets no value, so that a
// title or folder holding the word "area" stays inside its section.
void readSceneryCfg(const fs::path& file, std::vector<fs::path>& paths, ScanLog& log) {
  log.line(fmt::format("\nReading: {} for airport add-ons ...", file.string()));
  std::vector<std::string> lines;
  lines.reserve(4048);
  if (!readLines(file, lines, log)) return;
  Area area;
  for (const std::string& line : lines) {
    if (containsAny(line, {"Required", "REQUIRED", "required", "Title", "TITLE", "title", "Layer", "LAYER", "layer"})) {
      continue;
    }
    if (containsAny(line, {"Area", "AREA", "area"}) && line.find('=') == std::string::npos) {
      takeArea(area, paths, log);
      area = Area{};
    } else if (containsAny(line, {"Active", "ACTIVE", "active"})) {
      area.active = area.active || containsAny(line, {"True", "TRUE", "true"});
    } else if (containsAny(line, {"Local", "LOCAL", "local"})) {
      area.local = valueAfterEquals(line);
    }
  }
  takeArea(area, paths, log);
  log.line(fmt::format("{} scenery add-on paths found\n", paths.size()));
}

void readSceneryAddOns(const fs::path& file, std::vector<fs::path>& paths, ScanLog& log) {
  log.line(fmt::format("\nReading {} for add-on airport ...", file.string()));
  std::vector<std::string> lines;
  if (!readLines(file, lines, log)) return;
  size_t found = 0;
  for (const std::string& line : lines) {
    const std::string element = extractPathElement(line);
    if (trimBlanks(element).empty()) continue;
    fs::path folder = sceneryFolder(element);
    log.line(fmt::format("found path:{}", folder.string()));
    addOnce(paths, std::move(folder));
    ++found;
  }
  log.line(fmt::format("{} scenery add-on paths found\n", found));
}

std::vector<fs::path> collectSceneryPaths(ScanLog& log) {
  std::vector<fs::path> paths;
  if (AFG_AUTOMATIC.value()) {
    readSceneryCfg(simulatorConfigFolder() / "scenery.cfg", paths, log);
    readSceneryAddOns(simulatorConfigFolder() / "scenery_add-ons.xml", paths, log);
    return paths;
  }
  for (const StringParameter& setting : afolder) {
    if (setting.empty()) continue;
    fs::path folder = sceneryFolder(setting.value());
    if (isStockScenery(folder.generic_string())) {
      log.line(fmt::format("parameter {} points to stock airports instead of add-on airports!", setting.name()));
      continue;
    }
    addOnce(paths, std::move(folder));
  }
  if (paths.empty()) throw UserErrorException(49, "Set afolder parameter(-s) to your add-on airports first, see Manual 6.1");
  return paths;
}

}  // namespace tfx::scan

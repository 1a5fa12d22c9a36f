#include "aircraft/addon_folders.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <optional>

#include "core/log.h"
#include "core/text_files.h"
#include "core/text_trim.h"
#include "platform/windows_path.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

constexpr std::array kStockObjectFolders = {"Airplanes", "Avatars", "Rotorcraft", "GroundVehicles", "Boats",
                                            "Animals",   "Misc",    "Submersible", "Weapons", "Countermeasures"};
constexpr std::array kSimObjectsSpellings = {"SimObjects", "SIMOBJECTS", "Simobjects", "simobjects"};
constexpr std::array kPassedOverPackages = {"Lights Reborn", "Aerosoft Geneva Professional"};

bool containsAny(std::string_view text, const auto& words) {
  return std::any_of(std::begin(words), std::end(words),
                     [&](std::string_view word) { return text.find(word) != std::string_view::npos; });
}

// One [section] of a cfg file: its header and its key=value lines.
struct CfgSection {
  std::string header;
  std::vector<std::pair<std::string, std::string>> values;  // keys in lower case

  std::optional<std::string> value(std::string_view key) const {
    for (const auto& [name, text] : values) {
      if (name == key) return text;
    }
    return std::nullopt;
  }
};

std::vector<CfgSection> readCfgSections(const fs::path& file) {
  std::vector<std::string> lines;
  if (!gf_readExtTextFileToStringVector(file, lines)) throw std::runtime_error(fmt::format("cannot read {}", file.string()));
  std::vector<CfgSection> sections;
  for (const std::string& raw : lines) {
    const std::string_view line = trimBlanks(raw);
    if (line.starts_with('[')) {
      sections.push_back(CfgSection{std::string(line), {}});
      continue;
    }
    const size_t equals = line.find('=');
    if (sections.empty() || equals == std::string_view::npos) continue;
    sections.back().values.emplace_back(lowerAscii(trimBlanks(line.substr(0, equals))),
                                        std::string(trimBlanks(line.substr(equals + 1))));
  }
  return sections;
}

// A relative path starts at BASE; the simulator's own object folders are dropped.
std::optional<fs::path> simObjectsFolder(std::string_view windowsPath, const fs::path& base) {
  if (containsAny(windowsPath, kStockObjectFolders)) return std::nullopt;
  fs::path path = platform::fromWindowsPath(windowsPath);
  return path.is_relative() ? base / path : path;
}

void explorePackage(const fs::path& package, std::vector<fs::path>& folders) {
  const fs::path addOnXml = package / "add-on.xml";
  writeLog(fmt::format("   exploring {}", addOnXml.string()));
  pugi::xml_document document;
  if (const pugi::xml_parse_result parsed = document.load_file(addOnXml.c_str()); !parsed) {
    writeLogError(fmt::format("{}: {}", addOnXml.string(), parsed.description()));
    return;
  }
  const std::string name = document.first_child().child_value("AddOn.Name");
  if (containsAny(name, kPassedOverPackages) || containsAny(package.string(), kPassedOverPackages)) return;
  for (pugi::xml_node component : document.first_child().children("AddOn.Component")) {
    const std::string path(trimBlanks(component.child_value("Path")));
    if (!containsAny(path, kSimObjectsSpellings)) continue;
    if (auto folder = simObjectsFolder(path, package)) {
      writeLog(fmt::format("      Simobjects found:{}", folder->string()));
      folders.push_back(*folder);
    }
  }
}

// The sections of one of the simulator's registration files, below
// BASE/Lockheed Martin/Prepar3D vN; none when the file is missing.
std::vector<CfgSection> registrationFile(const fs::path& base, const std::string& version, std::string_view name) {
  const fs::path file = base / "Lockheed Martin" / fmt::format("Prepar3D v{}", version) / name;
  if (!fs::exists(file)) {
    writeLog(fmt::format("{} not found!", file.string()));
    return {};
  }
  writeLog(fmt::format("\nReading {} for AI add-on packages...", file.string()));
  return readCfgSections(file);
}

void readAddOnsCfg(const AddonFolderSources& sources, std::vector<fs::path>& folders) {
  const size_t before = folders.size();
  for (const CfgSection& section : registrationFile(sources.appData, sources.version, "add-ons.cfg")) {
    if (!containsAny(section.header, std::array{"Package", "PACKAGE"})) continue;
    const std::optional<std::string> path = section.value("path");
    if (!path) continue;
    writeLog(fmt::format("path found:{}", *path));
    explorePackage(platform::fromWindowsPath(*path), folders);
  }
  const size_t count = folders.size() - before;
  writeLog(fmt::format("{} AI add-on package{} found", count, count == 1 ? "" : "s"));
}

void readSimObjectsCfg(const AddonFolderSources& sources, std::vector<fs::path>& folders) {
  const size_t before = folders.size();
  for (const CfgSection& section : registrationFile(sources.programData, sources.version, "simobjects.cfg")) {
    if (!containsAny(section.header, std::array{"Entry", "ENTRY"})) continue;
    const std::optional<std::string> path = section.value("path");
    if (!path || !section.value("title")) continue;
    if (auto folder = simObjectsFolder(*path, sources.simInstall)) folders.push_back(*folder);
  }
  writeLog(fmt::format("{} AI add-on packages found", folders.size() - before));
}

}  // namespace

std::vector<fs::path> lf_readP3DAddOnsAircraft(const AddonFolderSources& sources) {
  std::vector<fs::path> folders;
  for (auto* read : {&readAddOnsCfg, &readSimObjectsCfg}) {
    try {
      read(sources, folders);
    } catch (const std::exception& error) {
      writeLog(fmt::format("sys error exception {} in {}, no AI add-on packages found", error.what(),
                           "lf_readP3DAddOnsAircraft"));
    }
  }
  return folders;
}

}  // namespace tfx

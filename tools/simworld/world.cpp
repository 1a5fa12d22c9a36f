#include "world.h"

#include <fmt/format.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>

#include "cfg_text.h"

namespace tfx::simworld {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

constexpr std::string_view kInvalidErrors = "InvalidAircraftCfgFiles.txt";
constexpr std::string_view kIncomplete = "IncompleFltsimSections.txt";
constexpr size_t kScanPathLimit = 250;

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

enum class FileTrap { None, NoFltsim, MissingAtcModel, InvalidModel, FixCode, Ivao, Airport, LongPath, OutOfRange };
constexpr FileTrap kFileTraps[] = {FileTrap::NoFltsim, FileTrap::MissingAtcModel, FileTrap::InvalidModel,
                                   FileTrap::FixCode,  FileTrap::Ivao,            FileTrap::Airport,
                                   FileTrap::LongPath, FileTrap::OutOfRange};

enum class SectionTrap {
  None, InvalidAirline, CodeList, MultiAtcId, StarAtcId, MissingTexture, MissingAir, RepeatedTitle, MissingTitle,
  TrailingBlankTitle, PrivateZzz, NoAirline, PrivateUnknownReg, CommentedAtcId
};
constexpr SectionTrap kSectionTraps[] = {
    SectionTrap::InvalidAirline, SectionTrap::CodeList,      SectionTrap::MultiAtcId,   SectionTrap::StarAtcId,
    SectionTrap::MissingTexture, SectionTrap::MissingAir,    SectionTrap::RepeatedTitle, SectionTrap::MissingTitle,
    SectionTrap::TrailingBlankTitle, SectionTrap::PrivateZzz, SectionTrap::NoAirline,  SectionTrap::PrivateUnknownReg,
    SectionTrap::CommentedAtcId};

struct Expected {
  std::string airline, type, atcId;
  bool cargo = false;
};

// One [fltsim.N] section as written and what it was built to become.
struct Section {
  std::vector<std::string> lines;
  std::string title;
  std::optional<Expected> livery;
  std::string report;  // the report file naming it when it yields no livery
};

class WorldBuilder {
 public:
  WorldBuilder(const WorldOptions& options, const WorldSources& sources)
      : options_(options), sources_(sources), random_(options.seed) {
    for (const auto& entry : sources.byType) types_.push_back(entry.first);
    for (const auto& [wrong, correct] : sources.fixes) {
      if (sources.byType.contains(correct)) fixes_.emplace_back(wrong, correct);
    }
  }

  WorldSummary build();

 private:
  size_t draw(size_t count) { return count == 0 ? 0 : static_cast<size_t>(random_() % count); }
  bool chance(double rate) { return static_cast<double>(random_() % 1000000) < rate * 1000000.0; }
  std::string airlineName(const std::string& code) const;
  std::string typeName(const std::string& type) const;
  std::string uniqueTitle(std::string title);

  void writeStockFolders();
  std::vector<fs::path> writePackages();
  void writeCfg(const fs::path& scanFolder, int32_t folderIndex, size_t fileNumber, size_t sections);
  SectionTrap sectionTrap(bool ivao, bool fresh, const Section* previous);
  std::string privateTitle(const std::string& type);
  Section makeSection(const std::string& type, bool ivao, const fs::path& folder, const Section* previous);
  void writeUnscannedCfg(const fs::path& folder, std::string_view what);
  void record(const Section& section, const fs::path& file, int32_t folderIndex, bool scanned,
              std::string_view fileReport);

  const WorldOptions& options_;
  const WorldSources& sources_;
  std::mt19937 random_;
  std::vector<std::string> types_;
  std::vector<std::pair<std::string, std::string>> fixes_;
  std::map<std::string, size_t> used_;
  std::set<std::string> titles_;
  size_t privateNumber_ = 0;
  ordered_json liveries_ = ordered_json::array();
  ordered_json reported_ = ordered_json::array();
  ordered_json unscanned_ = ordered_json::array();
  std::vector<std::string> allTitles_;
  WorldSummary summary_;
  size_t scannedFiles_ = 0;
};

std::string WorldBuilder::airlineName(const std::string& code) const {
  auto found = sources_.airlineNames.find(code);
  return found == sources_.airlineNames.end() ? code : found->second;
}

std::string WorldBuilder::typeName(const std::string& type) const {
  auto found = sources_.typeNames.find(type);
  return found == sources_.typeNames.end() ? type : found->second;
}

std::string WorldBuilder::uniqueTitle(std::string title) {
  std::string unique = title;
  for (size_t number = 2; titles_.contains(unique); ++number) unique = fmt::format("{} #{}", title, number);
  titles_.insert(unique);
  return unique;
}

void WorldBuilder::writeUnscannedCfg(const fs::path& folder, std::string_view what) {
  fs::create_directories(folder / "model");
  fs::create_directories(folder / "texture");
  std::ofstream(folder / "stock.air") << "air";
  const std::string title = uniqueTitle(fmt::format("{} object", what));
  writeCfgFile(folder / "aircraft.cfg",
               {"[fltsim.0]", "title=" + title, "sim=stock", "model=", "texture=", "atc_parking_codes=",
                "[General]", "atc_model=C172"},
               CfgEncoding::Plain);
  unscanned_.push_back(title);
  allTitles_.push_back(title);
}

void WorldBuilder::writeStockFolders() {
  const fs::path simObjects = options_.out / "sim" / "Prepar3D v5" / "SimObjects";
  for (std::string_view folder : {"Airplanes", "Rotorcraft", "Boats", "GroundVehicles"}) {
    writeUnscannedCfg(simObjects / folder / fmt::format("Stock_{}", folder), fmt::format("Stock {}", folder));
  }
  fs::create_directories(options_.out / "sim" / "Prepar3D v5" / "Scenery");
}

std::string addOnXml(std::string_view name, const std::vector<std::pair<std::string, std::string>>& components) {
  std::string xml = fmt::format(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<SimBase.Document Type=\"AddOnXml\" version=\"4,0\" "
      "id=\"add-on\">\n  <AddOn.Name>{}</AddOn.Name>\n",
      name);
  for (const auto& [category, path] : components) {
    xml += fmt::format("  <AddOn.Component>\n    <Category>{}</Category>\n    <Path>{}</Path>\n  </AddOn.Component>\n",
                       category, path);
  }
  return xml + "</SimBase.Document>\n";
}

// The package sections of add-ons.cfg and the AI folder of simobjects.cfg;
// returns the livery folders an automatic scan finds, in its order.
std::vector<fs::path> WorldBuilder::writePackages() {
  const fs::path addons = options_.out / "addons";
  const size_t aiPackages = std::clamp<size_t>(options_.cfgFiles / 25, 1, 8);
  std::vector<fs::path> folders;
  std::vector<fs::path> packages;

  const fs::path lights = addons / "Lights_Reborn";
  fs::create_directories(lights);
  std::ofstream(lights / "add-on.xml") << addOnXml("Lights Reborn", {{"SimObjects", "SimObjects\\Effects"}});
  writeUnscannedCfg(lights / "SimObjects" / "Effects" / "Light_Pole", "Lights Reborn");
  packages.push_back(lights);
  for (size_t number = 1; number <= aiPackages; ++number) {
    const fs::path package = addons / fmt::format("AI_Pack_{:02}", number);
    const fs::path livery = package / "SimObjects" / "AI Traffic";
    fs::create_directories(livery);
    // One package names its folder with a full path, the others relative.
    const std::string path = number == 1 ? windowsPath(livery) : "SimObjects\\AI Traffic";
    std::ofstream(package / "add-on.xml")
        << addOnXml(fmt::format("AI Pack {}", number), {{"Texture", "Texture"}, {"SimObjects", path}});
    packages.push_back(package);
    folders.push_back(livery);
    if (number == 1) {
      const fs::path boats = addons / "Harbour_Boats";
      fs::create_directories(boats);
      std::ofstream(boats / "add-on.xml") << addOnXml("Harbour Boats", {{"SimObjects", "SimObjects\\Boats"}});
      writeUnscannedCfg(boats / "SimObjects" / "Boats" / "Ferry", "Harbour ferry");
      packages.push_back(boats);
    }
  }
  const fs::path appData = options_.out / "appdata" / "Lockheed Martin" / "Prepar3D v5";
  fs::create_directories(appData);
  std::ofstream addOnsCfg(appData / "add-ons.cfg", std::ios::binary);
  addOnsCfg << "[DiscoveryPath.0]\r\nPATH=" << windowsPath(addons / "discovered") << "\r\nTITLE=Discovery\r\n"
            << "ACTIVE=TRUE\r\n\r\n";
  for (size_t index = 0; index < packages.size(); ++index) {
    addOnsCfg << fmt::format("[Package.{}]\r\nPATH={}\r\nTITLE={}\r\nACTIVE=TRUE\r\nREQUIRED=FALSE\r\n\r\n", index,
                             windowsPath(packages[index]), packages[index].filename().string());
  }

  const fs::path aiObjects = options_.out / "ai_objects" / "SimObjects" / "AI Models";
  fs::create_directories(aiObjects);
  folders.push_back(aiObjects);
  const fs::path programData = options_.out / "programdata" / "Lockheed Martin" / "Prepar3D v5";
  fs::create_directories(programData);
  std::ofstream simObjectsCfg(programData / "simobjects.cfg", std::ios::binary);
  size_t entry = 0;
  for (std::string_view stock : {"Airplanes", "Rotorcraft", "GroundVehicles", "Boats", "Misc"}) {
    simObjectsCfg << fmt::format("[Entry.{}]\r\nTitle=Default {}\r\nPath=SimObjects\\{}\r\nRequired=False\r\n"
                                 "Active=True\r\n\r\n",
                                 entry++, stock, stock);
  }
  simObjectsCfg << fmt::format("[Entry.{}]\r\nTitle=AI Models\r\nPath={}\r\nRequired=False\r\nActive=True\r\n", entry,
                               windowsPath(aiObjects));
  return folders;
}

// The trap drawn for a section, or None where it cannot be built as planned.
SectionTrap WorldBuilder::sectionTrap(bool ivao, bool fresh, const Section* previous) {
  if (!chance(options_.trapRate)) return SectionTrap::None;
  const SectionTrap trap = kSectionTraps[draw(std::size(kSectionTraps))];
  if (ivao) return trap == SectionTrap::MissingTexture || trap == SectionTrap::MissingTitle ? trap : SectionTrap::None;
  if (trap == SectionTrap::RepeatedTitle && (previous == nullptr || !previous->livery)) return SectionTrap::None;
  // Without its registration such a section could take a short registration from its title.
  if ((trap == SectionTrap::InvalidAirline || trap == SectionTrap::CodeList) && !fresh) return SectionTrap::None;
  if (trap == SectionTrap::PrivateZzz && !sources_.airlines.contains("ZZZ")) return SectionTrap::None;
  return trap;
}

std::string WorldBuilder::privateTitle(const std::string& type) {
  while (true) {
    std::string title = fmt::format("Private {} {}", ++privateNumber_, typeName(type));
    const bool carriesRegistration =
        std::any_of(sources_.shortRegistrations.begin(), sources_.shortRegistrations.end(),
                    [&](const std::string& registration) { return title.find(registration) != std::string::npos; });
    if (!carriesRegistration) return uniqueTitle(title);
  }
}

Section WorldBuilder::makeSection(const std::string& type, bool ivao, const fs::path& folder, const Section* previous) {
  const bool heavy = sources_.heavyTypes.contains(type);
  const std::vector<Registration>& records = sources_.byType.at(type);
  const size_t use = used_[type]++;
  const Registration& record = records[use % records.size()];
  // Each registration is painted on one livery only; later liveries of the
  // same record carry none.
  const bool fresh = use < records.size();
  const SectionTrap trap = sectionTrap(ivao, fresh, previous);
  const bool privateAircraft = trap == SectionTrap::NoAirline || trap == SectionTrap::PrivateUnknownReg;

  Section section;
  if (trap == SectionTrap::RepeatedTitle) {
    section.title = previous->title;
  } else if (privateAircraft) {
    section.title = privateTitle(type);
  } else if (ivao) {
    section.title = uniqueTitle(fmt::format("{} {} {}", record.airline, typeName(type), record.reg));
  } else if (auto aig = sources_.aigTitles.find(record.reg); fresh && aig != sources_.aigTitles.end()) {
    section.title = uniqueTitle(aig->second);
  } else {
    section.title = uniqueTitle(fmt::format("{} {} {}", typeName(type), airlineName(record.airline), record.reg));
  }

  Expected expected{record.airline, type, fresh ? record.reg : std::string(), record.cargo};
  std::string parkingCode = record.airline;
  switch (draw(4)) {
    case 1:
      parkingCode += record.cargo ? "C" : "X";
      break;
    case 2:
      std::transform(parkingCode.begin(), parkingCode.end(), parkingCode.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      break;
    default:
      break;
  }
  std::optional<std::string> atcIdLine = expected.atcId.empty() ? std::nullopt : std::optional(expected.atcId);
  switch (trap) {
    case SectionTrap::InvalidAirline:
      parkingCode = "9Q9";
      break;
    case SectionTrap::CodeList:
      parkingCode = record.airline + "," + record.airline;
      break;
    case SectionTrap::PrivateZzz:
      parkingCode = "ZZZ";
      expected.airline = "ZZZ";
      expected.atcId.clear();
      break;
    case SectionTrap::NoAirline:
      parkingCode.clear();
      atcIdLine.reset();
      expected = Expected{heavy ? "" : "PVT", type, "", false};
      break;
    case SectionTrap::PrivateUnknownReg:
      parkingCode.clear();
      atcIdLine = fmt::format("ZQ-{:04}", privateNumber_);
      expected = Expected{heavy ? "" : "PVT", type, *atcIdLine, false};
      break;
    case SectionTrap::MultiAtcId:
      atcIdLine = fmt::format("{}, {}", record.reg, records[(use + 1) % records.size()].reg);
      expected.atcId.clear();
      break;
    case SectionTrap::StarAtcId:
      atcIdLine = "N12*";
      expected.atcId.clear();
      break;
    case SectionTrap::CommentedAtcId:
      atcIdLine.reset();
      expected.atcId.clear();
      break;
    default:
      break;
  }

  const std::string texture = fmt::format("Livery{}", draw(3));
  const std::string blank = chance(0.3) ? " " : "";
  std::vector<std::string>& lines = section.lines;
  const auto key = [&](std::string_view name, std::string_view value) {
    lines.push_back(fmt::format("{}{}={}{}", name, blank, blank, value));
  };
  if (trap == SectionTrap::TrailingBlankTitle) {
    lines.push_back("title=" + section.title + "  ");
  } else if (trap != SectionTrap::MissingTitle) {
    key("title", section.title);
  }
  key("sim", trap == SectionTrap::MissingAir ? "NoSuchSim" : "Sim_" + type);
  key("model", "");
  key("texture", trap == SectionTrap::MissingTexture ? "Gone" : texture);
  key("ui_manufacturer", "\"Generated\"");
  key("atc_airline", airlineName(record.airline));
  if (!parkingCode.empty() && !ivao) key("atc_parking_codes", parkingCode);
  if (trap == SectionTrap::CommentedAtcId) lines.push_back("//atc_id=" + record.reg);
  if (atcIdLine) lines.push_back("atc_id=" + *atcIdLine + " ; tail number");
  key("atc_parking_types", expected.cargo ? "CARGO" : "GATE,RAMP");
  lines.push_back("; end of livery");
  // Windows finds a folder whatever the case of its name on disk.
  fs::create_directories(folder / fmt::format("texture.{}", chance(0.2) ? lowered(texture) : texture));

  const bool yields = trap != SectionTrap::MissingTitle && trap != SectionTrap::MissingTexture &&
                      trap != SectionTrap::MissingAir && trap != SectionTrap::RepeatedTitle && !expected.airline.empty();
  if (yields) {
    section.livery = expected;
  } else {
    section.report = std::string(kIncomplete);
  }
  return section;
}

void WorldBuilder::record(const Section& section, const fs::path& file, int32_t folderIndex, bool scanned,
                          std::string_view fileReport) {
  const bool written = !section.lines.empty() && section.lines.front().starts_with("title");
  if (written) allTitles_.push_back(section.title);
  if (!scanned) {
    if (written) unscanned_.push_back(section.title);
    return;
  }
  if (fileReport.empty() && section.livery) {
    const Expected& livery = *section.livery;
    liveries_.push_back({{"title", section.title},
                         {"airline", livery.airline},
                         {"type", livery.type},
                         {"cargo", livery.cargo},
                         {"atcId", livery.atcId},
                         {"folder", folderIndex},
                         {"file", file.string()}});
    ++summary_.liveries;
    return;
  }
  reported_.push_back({{"title", written ? section.title : std::string()},
                       {"file", file.string()},
                       {"report", fileReport.empty() ? section.report : std::string(fileReport)}});
}

void WorldBuilder::writeCfg(const fs::path& scanFolder, int32_t folderIndex, size_t fileNumber, size_t sectionCount) {
  FileTrap trap = chance(options_.trapRate / 2) ? kFileTraps[draw(std::size(kFileTraps))] : FileTrap::None;
  if (trap == FileTrap::FixCode && fixes_.empty()) trap = FileTrap::None;
  const auto& [wrongCode, type] =
      trap == FileTrap::FixCode ? fixes_[draw(fixes_.size())] : std::pair(std::string(), types_[draw(types_.size())]);
  const bool ivao = trap == FileTrap::Ivao;
  const std::string name = fmt::format("AI_{}_{:05}", type, fileNumber);
  fs::path folder = scanFolder / name;
  if (trap == FileTrap::Airport) folder = scanFolder / "airport_traffic" / name;
  if (ivao) folder = scanFolder / fmt::format("ivao_{:05}", fileNumber) / "IVAO_MTL" / ("IVAO_" + type);
  if (trap == FileTrap::LongPath) {
    folder = scanFolder;
    while (folder.string().size() < kScanPathLimit) folder /= "a_very_long_folder_name_of_an_old_package";
    folder /= name;
  }
  const bool scanned = trap != FileTrap::Airport && trap != FileTrap::LongPath;
  fs::create_directories(folder / "model");
  const bool diskCase = chance(0.2);
  std::ofstream(folder / (diskCase ? "SIM_" + type + ".AIR" : "Sim_" + type + ".air")) << "air";

  CfgEncoding encoding = CfgEncoding::Plain;
  bool upperHeaders = false;
  bool upperName = false;
  if (chance(options_.trapRate)) {
    switch (draw(6)) {
      case 0: encoding = CfgEncoding::CrLf; break;
      case 1: encoding = CfgEncoding::Utf16Bom; break;
      case 2: encoding = CfgEncoding::Utf8Bom; break;
      case 3: encoding = CfgEncoding::AnsiBytes; break;
      case 4: upperHeaders = true; break;
      default: upperName = !ivao; break;
    }
  }
  const fs::path file = folder / (upperName ? "Aircraft.CFG" : "aircraft.cfg");

  std::vector<std::string> lines{"; Generated AI aircraft", "[General]", "atc_type=GENERATED"};
  std::string_view fileReport;
  switch (trap) {
    case FileTrap::MissingAtcModel:
      fileReport = kInvalidErrors;
      break;
    case FileTrap::InvalidModel:
      lines.push_back("atc_model=Q99Z");
      fileReport = "InvalidAircraftCodes.txt";
      break;
    case FileTrap::FixCode:
      lines.push_back("atc_model=" + wrongCode);
      break;
    default:
      lines.push_back(fmt::format("atc_model = {}", type));
      break;
  }
  lines.insert(lines.end(), {"", "[WEIGHT_AND_BALANCE]", "max_gross_weight = 174200", ""});
  std::vector<Section> sections;
  if (trap != FileTrap::NoFltsim) {
    for (size_t index = 0; index < sectionCount; ++index) {
      sections.push_back(makeSection(type, ivao, folder, sections.empty() ? nullptr : &sections.back()));
      lines.push_back(fmt::format("[{}.{}]", upperHeaders ? "FLTSIM" : "fltsim", index));
      lines.insert(lines.end(), sections.back().lines.begin(), sections.back().lines.end());
      lines.push_back("");
      record(sections.back(), file, folderIndex, scanned, fileReport);
    }
  }
  if (trap == FileTrap::OutOfRange) {
    Section outOfRange = makeSection(type, ivao, folder, nullptr);
    lines.push_back("[fltsim.10001]");
    lines.insert(lines.end(), outOfRange.lines.begin(), outOfRange.lines.end());
    record(outOfRange, file, folderIndex, scanned, kInvalidErrors);
  }
  lines.insert(lines.end(), {"[flight_tuning]", "cruise_lift_scalar = 1.0", "// parking_brake_scalar = 1.0"});
  summary_.sections += sections.size();
  writeCfgFile(file, lines, encoding);
  ++summary_.cfgFiles;
  if (!scanned) return;
  ++scannedFiles_;
  if (trap == FileTrap::NoFltsim) {
    reported_.push_back({{"title", ""}, {"file", file.string()}, {"report", "AircraftCfgWithNoFltsimSection.txt"}});
  }
}

WorldSummary WorldBuilder::build() {
  for (std::string_view managed : {"sim", "appdata", "addons", "programdata", "ai_objects"}) {
    fs::remove_all(options_.out / managed);
  }
  fs::create_directories(options_.out);
  writeStockFolders();
  const std::vector<fs::path> folders = writePackages();
  summary_.folders = folders.size();
  const size_t files = std::max<size_t>(options_.cfgFiles, 1);
  for (size_t number = 0; number < files; ++number) {
    const size_t position = number % folders.size();
    const size_t sections = options_.liveries / files + (number < options_.liveries % files ? 1 : 0);
    writeCfg(folders[position], static_cast<int32_t>(std::min<size_t>(position + 1, 10)), number + 1,
             std::max<size_t>(sections, 1));
  }
  ordered_json folderList = ordered_json::array();
  for (const fs::path& folder : folders) folderList.push_back(folder.string());
  const ordered_json manifest{{"seed", options_.seed},
                              {"simRoot", (options_.out / "sim" / "Prepar3D v5").string()},
                              {"appData", (options_.out / "appdata").string()},
                              {"programData", (options_.out / "programdata").string()},
                              {"folders", std::move(folderList)},
                              {"files", scannedFiles_},
                              {"liveries", liveries_},
                              {"reported", reported_},
                              {"unscanned", unscanned_}};
  std::ofstream(options_.out / "manifest.json") << manifest.dump(1) << '\n';
  std::ofstream titles(options_.out / "titles.txt");
  for (const std::string& title : allTitles_) titles << title << '\n';
  return summary_;
}

}  // namespace

WorldSummary generateWorld(const WorldOptions& options) {
  const WorldSources sources = readWorldSources(options.sources);
  return WorldBuilder(options, sources).build();
}

}  // namespace tfx::simworld

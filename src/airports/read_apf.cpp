#include "airports/read_apf.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

#include "airports/airport.h"
#include "airports/day_half_hour.h"
#include "airports/fake_options.h"
#include "airports/parking_parameters.h"
#include "airports/quality_factor.h"
#include "airports/stand_file_format.h"
#include "airports/stand_file_place.h"
#include "airports/stand_geometry.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/xml_values.h"
#include "data/download.h"
#include "runstate/user_error.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

constexpr int kNoLearnedFilePercentage = 30;

void logValue(std::string_view name, const auto& value) { writeLog(fmt::format("{:24}: {}", name, value)); }

// The stand file's own values; altitude is required.
void readFileParameters(const pugi::xml_document& document, ParkStands& park) {
  park.rtTrafficWeek = standFileInt(document, "RT_traffic_week", 0);
  park.info.publisher = standFileParameter(document, "publisher").value_or("");
  if (!standFileParameter(document, "altitude")) throw UserErrorException(65, "Parameter altitude not found");
  park.info.altitude = standFileInt(document, "altitude", 0);
  parkAirport().alt = park.info.altitude;
  park.info.name = standFileParameter(document, "airport_name").value_or("");
}

void appendLearnedStand(const pugi::xml_node parkpos, const fs::path& learnedFile, ParkStands& park) {
  const std::string id = parkpos.attribute("id").as_string();
  auto existing = std::find_if(park.parkStands.begin(), park.parkStands.end(), [&](const Stand& s) { return s.id == id; });
  if (xmlBool(parkpos.attribute("manual").as_string())) {
    if (existing != park.parkStands.end()) {
      writeLog(fmt::format("manually created standid {} already exists in {}", id, learnedFile.string()));
      return;
    }
    std::optional<Stand> stand;
    if (parkpos.attribute("latitude") && parkpos.attribute("longitude") && parkpos.attribute("radius")) {
      stand = readStandElement(parkpos, 0);
    }
    if (!stand) {
      writeLog(fmt::format("manually created standid {} misses correct attributes in {}", id, learnedFile.string()));
      return;
    }
    stand->manual = true;
    park.parkStands.push_back(std::move(*stand));
    return;
  }
  if (existing == park.parkStands.end()) {
    writeLog(fmt::format("learned stand {} in {} not found?", id, learnedFile.string()));
    return;
  }
  if (xmlBool(parkpos.attribute("radius_change").as_string())) {
    const double radiusMeters = parkpos.attribute("radius").as_double();
    if (std::isfinite(radiusMeters)) {
      existing->radius = radiusMeters * kNmPerMeter;
      existing->radiusChanged = true;
    } else {
      writeLogError(fmt::format("learned radius of stand {} in {} is not a number, kept", id, learnedFile.string()));
    }
  }
  if (xmlBool(parkpos.attribute("cargo_change").as_string())) {
    existing->cargo = xmlBool(parkpos.attribute("cargo").as_string());
    existing->cargoChanged = true;
  }
  for (const pugi::xml_node opt : parkpos.children("opt")) {
    appendOptionElement(opt, 0, *existing);
  }
}

void logParkAirport(const std::string& shownFile, ParkStands& park) {
  writeLog(fmt::format("Airport file read from '{}' for {}", shownFile, park.info.name));
  logValue("publisher", park.info.publisher);
  writeLog(fmt::format("{:24}: {} ft", "altitude", park.info.altitude));
  logValue("num_parkpos", park.parkStands.size());
  park.qualityText = qualityText(park.quality);
  logValue("quality factor", park.qualityText);
  logValue("RT traffic week", park.rtTrafficWeek);
}

}  // namespace

bool lf_readLearned(const fs::path& learnedFile, ParkStands& park) {
  pugi::xml_document learned;
  if (const pugi::xml_parse_result parsed = learned.load_file(learnedFile.c_str()); !parsed) {
    fs::path kept = learnedFile;
    kept.replace_extension(".0.xml");
    std::error_code error;
    fs::rename(learnedFile, kept, error);
    writeLog(fmt::format("{} found, but could not be loaded, saved as *.0.xml: {}", learnedFile.string(),
                         parsed.description()));
    return false;
  }
  writeLog(fmt::format("Read from learned airport file: '{}'", learnedFile.string()));
  if (!hasRequiredMeta(learned)) {
    writeLog(fmt::format("{}: refused to load (copyright)", learnedFile.string()));
    return false;
  }
  const std::string learnedName = standFileParameter(learned, "airport_name").value_or("");
  if (!learnedName.empty() && learnedName != park.info.name) {
    writeLog(fmt::format("Warning: learned file airport name: '{}' differs from archived file airport name: '{}'",
                         learnedName, park.info.name));
  }
  applyParkingParameters(learned, park);
  if (xmlBool(standFileParameter(learned, "handmade").value_or(""))) {
    park.handmade = true;
    park.parkStands = readStandList(learned, 0);
    return true;
  }
  for (const pugi::xml_node parkpos : learned.child("parkpositions").children("parkpos")) {
    appendLearnedStand(parkpos, learnedFile, park);
  }
  return false;
}

std::string gf_readApf(const std::string& standFile, ParkStands& park, std::chrono::system_clock::time_point now,
                       std::string_view baseUrl) {
  if (standFile.empty()) return fmt::format("{}: xml is empty", "gf_readApf");
  if (!parkAirportIsSet()) return fmt::format("{}: no park airport set", "gf_readApf");
  fs::path readPath = standFile;
  if (!isLocalStandFile(standFile)) {
    readPath = paths::airports / "park_airport.xml";
    const std::string url = fmt::format("{}{}{}", baseUrl, kStandFileSiteFolder, standFile);
    if (!gf_downloadByName(fmt::format("{}{}", kStandFileSiteFolder, standFile), readPath, baseUrl)) {
      const std::string error = fmt::format("failed to download: '{}'", url);
      writeLog(error);
      return error;
    }
  }
  pugi::xml_document document;
  if (!document.load_file(readPath.c_str())) {
    return fmt::format("{}: could not load file: {}", standFile, readPath.string());
  }
  if (!hasRequiredMeta(document)) return fmt::format("{}: refused to load (copyright)", standFile);

  park.handmade = false;
  park.fileName = standFile;
  readFileParameters(document, park);
  park.parkStands = readStandList(document, 1);
  park.quality = {standFileInt(document, "Qf_real", -1), standFileInt(document, "Qf_soft", -1)};

  const fs::path learnedFile = gf_learnedFilePath(standFile, park.info.publisher);
  std::error_code error;
  if (!fs::exists(learnedFile, error)) {
    parking_percentage.set(kNoLearnedFilePercentage);
    parking_percentage.showInControl();
    park.parkingPercentageEnabled = false;
    logValue(parking_percentage.name(), kNoLearnedFilePercentage);
  } else {
    park.parkingPercentageEnabled = true;
    lf_readLearned(learnedFile, park);
    park.quality = gf_qualityFactor(park.parkStands);
    if (park.handmade) writeLog("A handmade airport file overruled the archived file!");
    if (PARK_FAKE.value()) {
      const DayHalfHour today = gf_dayAndHalfHour(now);
      gf_addFakeOptions(park.parkStands, parkAirport().code, today.day, today.halfHour);
    }
  }

  int index = 1;
  for (Stand& stand : park.parkStands) stand.index = index++;
  buildOverlapTable(park.parkStands);
  logParkAirport(park.handmade ? learnedFile.generic_string() : standFile, park);
  park.standsLoaded = true;
  park.parkingControlsEnabled = true;
  park.parametersChanged = false;
  return park.parkStands.empty() ? "no stands found" : "";
}

}  // namespace tfx::airports

#include "airports/save_learned.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "airports/day_half_hour.h"
#include "airports/quality_factor.h"
#include "airports/stand_file_place.h"
#include "airports/stand_file_write.h"
#include "core/log.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

// Only what the stand file does not already hold goes into the learned file.
std::vector<Stand> learnedStands(const ParkStands& park) {
  std::vector<Stand> stands;
  for (const Stand& stand : park.parkStands) {
    Stand copy = stand;
    if (!park.handmade) {
      std::erase_if(copy.options, [](const StandOption& option) { return option.origin == 1; });
      if (!copy.manual && copy.options.empty() && !copy.radiusChanged && !copy.cargoChanged) continue;
    }
    stands.push_back(std::move(copy));
  }
  return stands;
}

// The learned file is read where gf_learnedFilePath finds it, so it is
// written there too; a path of the other simulator family becomes ours.
fs::path learnedFileFor(const ParkStands& park) {
  std::string path = gf_learnedFilePath(park.fileName, park.info.publisher);
  if (const size_t at = path.find("MSFS"); at != std::string::npos) path.replace(at, 4, "P3D");
  return path;
}

}  // namespace

bool gf_saveLearned(ParkStands& park, std::chrono::system_clock::time_point now) {
  const std::vector<Stand> stands = learnedStands(park);
  if (park.handmade) park.quality = gf_qualityFactor(stands);
  const fs::path path = learnedFileFor(park);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  const StandFileContent content{.stands = stands, .info = park.info, .handmade = park.handmade, .quality = park.quality};
  if (!gf_writeAirportFile(content, path, park.handmade ? StandFileMode::All : StandFileMode::Changes)) {
    writeLog(fmt::format("{} saving '{}' did not succeed", timeOfDayUtc(now), path.string()));
    return false;
  }
  writeLog(fmt::format("{}{} '{}' saved with {} update{} {}", timeOfDayUtc(now),
                       park.handmade ? " handmade" : "", path.string(), park.updates, park.updates == 1 ? "" : "s",
                       park.parametersChanged ? "and one or more parameter changes" : ""));
  park.updates = 0;
  park.parametersChanged = false;
  return true;
}

}  // namespace tfx::airports

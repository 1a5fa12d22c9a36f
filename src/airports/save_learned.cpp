#include "airports/save_learned.h"

#include <fmt/format.h>

#include <filesystem>
#include <string>

#include "airports/day_half_hour.h"
#include "airports/quality_factor.h"
#include "airports/stand_file_place.h"
#include "airports/stand_file_write.h"
#include "core/log.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

// The learned file is read where gf_learnedFilePath finds it, so it is
// written there too; a path of the other simulator family becomes ours.
fs::path learnedFileFor(const ParkStands& park) {
  std::string path = gf_learnedFilePath(park.fileName, park.info.publisher);
  if (const size_t at = path.find("MSFS"); at != std::string::npos) path.replace(at, 4, "P3D");
  return path;
}

}  // namespace

bool gf_saveLearned(ParkStands& park, std::chrono::system_clock::time_point now) {
  if (park.handmade) park.quality = gf_qualityFactor(park.parkStands);
  const fs::path path = learnedFileFor(park);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  const StandFileContent content{.stands = park.parkStands, .info = park.info, .handmade = park.handmade, .quality = park.quality};
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

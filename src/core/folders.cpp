#include "core/folders.h"

#include <fmt/format.h>

#include <stdexcept>

#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "platform/known_folders.h"
#include "runstate/product.h"
#include "runstate/user_error.h"

namespace tfx {
namespace fs = std::filesystem;

namespace {

void ensureFolder(const fs::path& folder) {
  if (!fs::is_directory(folder)) fs::create_directories(folder);
}

}  // namespace

fs::path appDataFolder() {
  fs::path folder = platform::roamingAppDataFolder();
  if (folder.empty()) writeLogError("Could not find the AppData path");
  return folder;
}

fs::path dataFolder() {
  const fs::path appData = appDataFolder();
  return appData.empty() ? fs::path{} : appData / kProductName;
}

fs::path parametersFile() { return dataFolder() / "parameters.xml"; }

fs::path origDestFolder() { return dataFolder() / "orig_dest"; }

void createDataFolder() {
  const fs::path folder = dataFolder();
  std::error_code error;
  if (folder.empty() || (!fs::is_directory(folder) && !fs::create_directories(folder, error))) {
    throw std::runtime_error(fmt::format("Failed to create directory: {}", folder.string()));
  }
}

void checkStartFolder() {
  if (!fs::is_directory(paths::docs)) {
    throw UserErrorException(99, fmt::format("{} must be run from the {} folder!", kProductName, kProductName));
  }
}

void createProgramFolders() {
  for (const fs::path* folder : {&paths::output, &paths::outputInfo, &paths::outputErrors, &paths::airports,
                                 &paths::learned, &paths::learnedStock, &paths::learnedSimaddon,
                                 &paths::learnedThirdparty, &paths::myOrbx, &paths::myThirdparty,
                                 &paths::myRegcodes}) {
    ensureFolder(*folder);
  }
  fs::remove(paths::input / "AIG-regcodes0.xml");
  fs::remove(paths::input / "AIG-regcodes00.xml");
}

fs::path checkStockScenery() {
  fs::path scenery = fs::path(SIM_INSTALL_PATH.value()) / "Scenery";
  if (!fs::exists(scenery)) {
    throw UserErrorException(99, fmt::format("Stock airports path does not exist: {}", scenery.string()));
  }
  return scenery;
}

std::atomic<bool>& realTrafficPresent() {
  static std::atomic<bool> present{false};
  return present;
}

void detectRealTraffic() {
  const fs::path appData = appDataFolder();
  const bool present = !appData.empty() && fs::exists(appData / "InsideSystems" / "RealTraffic.jar");
  realTrafficPresent() = present;
  showMessage(fmt::format("RealTraffic {}detected at this PC", present ? "" : "not "));
}

}  // namespace tfx

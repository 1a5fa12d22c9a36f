// Program entry: one running copy, the log, then the start-up checks.
#include <fmt/format.h>

#include <cstdlib>
#include <exception>

#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/product.h"
#include "core/simulator_detection.h"
#include "core/user_error.h"
#include "core/version_update.h"
#include "data/version_check.h"
#include "platform/single_instance.h"

namespace {

void startUp() {
  tfx::checkStartFolder();
  tfx::createDataFolder();
  tfx::readParameters();
  tfx::checkVersionUpdate();
  tfx::createProgramFolders();
  tfx::recordInstallFolder();
  tfx::gf_checkDataVersions();
  tfx::gf_readDbase();
  tfx::ALL_INSTALL_PATH.set(tfx::SIM_INSTALL_PATH.value());
  if (tfx::ALL_INSTALL_PATH.empty()) tfx::detectSimulator();
  tfx::detectRealTraffic();
}

}  // namespace

int main() {
  tfx::platform::SingleInstance instance(tfx::kInstanceMutexName);
  if (instance.alreadyRunning()) return EXIT_FAILURE;
  try {
    tfx::openLog();
  } catch (const std::exception& error) {
    fmt::print(stderr, "{}\n", error.what());
    return EXIT_FAILURE;
  }
  try {
    startUp();
  } catch (const tfx::UserErrorException& error) {
    tfx::showError(error.what());
    return EXIT_FAILURE;
  } catch (const std::exception& error) {
    tfx::writeLogError(fmt::format("{}: {}", "mainProgramThread", error.what()));
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

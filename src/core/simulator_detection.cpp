#include "core/simulator_detection.h"

#include <fmt/format.h>

#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "platform/program_path.h"
#include "platform/registry.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

constexpr std::string_view kNoInstallPath = "No P3D install path detected, type full Install Path above, and press Enter";

std::string registryKey(int majorVersion) {
  return fmt::format("SOFTWARE\\Lockheed Martin\\Prepar3D v{}", majorVersion);
}

bool anyNonEmpty(const std::array<StringParameter, 10>& folders) {
  for (const auto& folder : folders) {
    if (!folder.empty()) return true;
  }
  return false;
}

void clearInstallPathField() {
  ALL_INSTALL_PATH.set("");
  ALL_INSTALL_PATH.showInControl();
}

}  // namespace

InstalledSimulators detectInstalledSimulators() {
  const auto& registry = platform::registry();
  return {registry.canOpenKey(registryKey(5)), registry.canOpenKey(registryKey(6))};
}

std::filesystem::path simSetupPath(int majorVersion) {
  try {
    return platform::registry().readString(registryKey(majorVersion), "SetupPath");
  } catch (const platform::RegException& error) {
    writeLogError(error.what());
    return {};
  }
}

void detectSimulator() {
  const InstalledSimulators installed = detectInstalledSimulators();
  if (installed.v5 && installed.v6) {
    throw UserErrorException(
        99, "More than one P3D version detected, type full Install Path to wanted version above and press Enter");
  }
  if (!installed.v5 && !installed.v6) {
    showMessage("P3D not detected?");
    if (anyNonEmpty(lfolder) || anyNonEmpty(afolder)) return;
    clearInstallPathField();
    throw UserErrorException(99, std::string(kNoInstallPath));
  }
  const int version = installed.v5 ? 5 : 6;
  writeLog(fmt::format("P3Dv{}detected", version));
  const std::filesystem::path setupPath = simSetupPath(version);
  if (setupPath.empty()) {
    clearInstallPathField();
    throw UserErrorException(99, std::string(kNoInstallPath));
  }
  ALL_INSTALL_PATH.set(setupPath.string());
  ALL_INSTALL_PATH.showInControl();
  SIM_INSTALL_PATH.set(setupPath.string());
  saveParameter(SIM_INSTALL_PATH);
}

std::string simMajorVersion() {
  const std::string installPath = SIM_INSTALL_PATH.value();
  if (installPath.find("v5") != std::string::npos || installPath.find("V5") != std::string::npos) return "5";
  if (installPath.find("v6") != std::string::npos || installPath.find("V6") != std::string::npos) return "6";
  return std::to_string(P3D_VERSION.value());
}

void recordInstallFolder() {
  PROGRAM_INSTALL_PATH.set(platform::runningProgramPath().parent_path().string());
  saveParameter(PROGRAM_INSTALL_PATH);
}

}  // namespace tfx

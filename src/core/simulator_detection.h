#pragma once
// Which Prepar3D is installed and where.
#include <filesystem>
#include <string>

namespace tfx {

struct InstalledSimulators {
  bool v5 = false;
  bool v6 = false;
};

// Looks for the simulators' registry keys.
InstalledSimulators detectInstalledSimulators();

// The "SetupPath" value of a version's registry key; empty when missing.
std::filesystem::path simSetupPath(int majorVersion);

// Called at start when the install path is empty: finds the one installed
// simulator and stores its path, or raises the user error that asks for it.
void detectSimulator();

// "5" or "6": from the install path when it names the version, else P3D_VERSION.
std::string simMajorVersion();

// Stores the running program's folder in PROGRAM_INSTALL_PATH.
void recordInstallFolder();

}  // namespace tfx

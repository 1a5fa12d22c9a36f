#pragma once
// The livery folders the simulator's add-on packages bring: read from
// add-ons.cfg (with each package's add-on.xml) and simobjects.cfg.
#include <filesystem>
#include <string>
#include <vector>

namespace tfx {

struct AddonFolderSources {
  std::filesystem::path appData;      // roaming application-data folder
  std::filesystem::path programData;  // the machine-wide program-data folder
  std::filesystem::path simInstall;   // relative SimObjects paths start here
  std::string version = "5";          // Prepar3D major version
};

// The SimObjects folders of the add-on packages, without the simulator's
// own object folders. Broken files are logged; what was read is kept.
std::vector<std::filesystem::path> lf_readP3DAddOnsAircraft(const AddonFolderSources& sources);

}  // namespace tfx

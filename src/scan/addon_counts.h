#pragma once
// The add-on airport counts of the status area: the files in
// airports/my_thirdparty and airports/my_ORBX, counted at start-up after the
// airport scan. The window thread reads them whenever it paints.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tfx::scan {

// Regular files directly in FOLDER; none when it is missing, and only those
// listed before a read error.
int64_t countFolderFiles(const std::filesystem::path& folder);

// Counts both folders and repaints the status area.
void countAddonAirportFiles();
// Until the counts are taken again, both show as not known.
void showAddonScanRunning();

// "# thirdp: {}", or "# thirdp: ..." while not known.
std::string thirdpartyCountText();
// "{} airport{} in {} folder" for my_ORBX; empty while not known.
std::string orbxCountText();

}  // namespace tfx::scan

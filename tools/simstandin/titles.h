#pragma once
// The aircraft titles "installed" in the stand-in.
#include <filesystem>
#include <string>
#include <vector>

namespace tfx::simstandin {

// One title per line; empty lines and lines starting with # are skipped.
std::vector<std::string> readTitlesFile(const std::filesystem::path& file);

// Every "title=" line of every aircraft.cfg below the folder.
std::vector<std::string> scanAircraftCfgTitles(const std::filesystem::path& folder);

}  // namespace tfx::simstandin

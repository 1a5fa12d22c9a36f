#pragma once
// Reading the park airport's stand file, with its learned file merged in.
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "airports/park_stands.h"
#include "data/download_site.h"

namespace tfx::airports {

// Reads the stand file found by gf_findAirportFile (a local path, or a name
// on the download site fetched into airports/park_airport.xml) into
// park.parkStands, merges the learned file and builds the overlap table.
// Returns the reason when the file could not be used, else an empty text.
// Throws UserErrorException 65 (no altitude) and 94 (a stand id twice).
// `now` dates made-up occupancies.
std::string gf_readApf(const std::string& standFile, ParkStands& park,
                       std::chrono::system_clock::time_point now = std::chrono::system_clock::now(),
                       std::string_view baseUrl = kDownloadBaseUrl);

// Merges a learned file into the stands just read; a file that cannot be
// loaded is renamed to *.0.xml and ignored. Returns whether the learned file
// replaced the stands (handmade).
bool lf_readLearned(const std::filesystem::path& learnedFile, ParkStands& park);

}  // namespace tfx::airports

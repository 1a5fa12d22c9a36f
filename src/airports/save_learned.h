#pragma once
// Saving what the program learned about the park airport into its learned file.
#include <chrono>

#include "airports/park_stands.h"

namespace tfx::airports {

// Writes the learned file (gf_learnedFilePath of the stand file) with the
// stands' learned options and corrections, or every stand for a handmade
// file; resets the update count on success. Never damages the old file.
bool gf_saveLearned(ParkStands& park, std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

}  // namespace tfx::airports

#pragma once
// LiveriesScanned.xml: the saved result of a livery scan, read at later
// starts instead of scanning again.
#include <filesystem>

#include "aircraft/livery_data.h"

namespace tfx {

// Saved atomically; logs "{} liveries in {}". False when it could not be written.
bool saveScannedLiveries(const LiveryList& liveries, const std::filesystem::path& file);

// Throws UserErrorException 51 when the file cannot be loaded and 999 when a
// livery lacks title, type or airl. Read liveries carry no folder number.
LiveryList readScannedLiveries(const std::filesystem::path& file);

}  // namespace tfx

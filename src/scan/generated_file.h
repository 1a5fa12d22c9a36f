#pragma once
// Putting a generated stand file into the folder a scan builds: linked from
// the last scan's folder when its bytes are unchanged, written otherwise.
#include <filesystem>

#include "airports/stand_file_write.h"

namespace tfx::scan {

// The file's bytes are those gf_writeAirportFile writes in mode "all".
// False when it could be neither linked nor written.
bool placeGeneratedFile(const airports::StandFileContent& content, const std::filesystem::path& earlier,
                        const std::filesystem::path& target);

}  // namespace tfx::scan

#pragma once
// Putting a generated stand file into the folder a scan builds: linked from
// the last scan's folder when its bytes are unchanged, written otherwise.
#include <filesystem>
#include <string_view>

namespace tfx::scan {

// The generated file of an airport in the folders of the last complete scan:
// my_ORBX for the kind "simaddon", my_thirdparty for any other.
std::filesystem::path generatedFile(std::string_view kind, std::string_view ident);

// The earlier file, whose bytes are unchanged, put at the target. False when
// it could be neither linked nor copied.
bool keepEarlierFile(const std::filesystem::path& earlier, const std::filesystem::path& target);

// The text (the bytes gf_writeAirportFile writes in mode "all") written as
// the target. False when it could not be written.
bool writeGeneratedFile(std::string_view text, const std::filesystem::path& target);

}  // namespace tfx::scan

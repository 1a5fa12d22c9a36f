#pragma once
// Writing an aircraft.cfg in one of the encodings and line ends users' files have.
#include <filesystem>
#include <string>
#include <vector>

namespace tfx::simworld {

enum class CfgEncoding { Plain, CrLf, Utf16Bom, Utf8Bom, AnsiBytes };

void writeCfgFile(const std::filesystem::path& file, const std::vector<std::string>& lines, CfgEncoding encoding);

// Backslashes instead of slashes, as paths stand in the simulator's files.
std::string windowsPath(const std::filesystem::path& path);

}  // namespace tfx::simworld

#pragma once
// Paths read from simulator files are written the Windows way.
#include <filesystem>
#include <string_view>

namespace tfx::platform {

// Backslashes become '/', everything else stays as written.
std::filesystem::path fromWindowsPath(std::string_view windowsPath);

}  // namespace tfx::platform

#pragma once
// Finding a file or folder the way Windows finds it: letter case does not
// matter and trailing dots of a name are ignored.
#include <filesystem>
#include <string_view>

namespace tfx::platform {

// Whether NAME exists in FOLDER as Windows would find it. NAME is one entry
// name (no separators).
bool existsAsOnWindows(const std::filesystem::path& folder, std::string_view name);

}  // namespace tfx::platform

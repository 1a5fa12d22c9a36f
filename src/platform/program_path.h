#pragma once
// Full path of the running program file.
#include <filesystem>

namespace tfx::platform {

std::filesystem::path runningProgramPath();

}  // namespace tfx::platform

#pragma once
// Whether a file already holds given bytes, for writing only what changed.
#include <filesystem>
#include <string_view>

namespace tfx::platform {

// True when the file exists and holds exactly these bytes. A file of another
// size is not read; no error is reported, as any failure means "write it".
bool fileHolds(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tfx::platform

#pragma once
#include <filesystem>

namespace tfx {

// Deletes a file when it exists; a failure is logged as a warning
// ("Warning: could not remove {}, errorcode: {}") and the program goes on.
void gf_removeFile(const std::filesystem::path& file);

}  // namespace tfx

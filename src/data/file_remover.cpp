#include "data/file_remover.h"

#include <fmt/format.h>

#include "core/log.h"

namespace tfx {

void gf_removeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return;
  if (!std::filesystem::remove(file, error) || error) {
    writeLog(fmt::format("Warning: could not remove {}, errorcode: {}", file.string(), error.message()));
  }
}

}  // namespace tfx

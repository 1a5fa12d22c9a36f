#include "data/file_remover.h"

#include <fmt/format.h>

#include "core/log.h"

namespace tfx {

// One call rather than a look first: scratch files are removed by the
// thousand, mostly after a download that left none. A file that is not
// there is no failure.
void gf_removeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::remove(file, error) || !error || error == std::errc::not_a_directory) return;
  writeLog(fmt::format("Warning: could not remove {}, errorcode: {}", file.string(), error.message()));
}

}  // namespace tfx

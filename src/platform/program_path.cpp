#include "platform/program_path.h"

namespace tfx::platform {

std::filesystem::path runningProgramPath() {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path{} : path;
}

}  // namespace tfx::platform

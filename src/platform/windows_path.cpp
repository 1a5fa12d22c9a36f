#include "platform/windows_path.h"

#include <algorithm>
#include <string>

namespace tfx::platform {

std::filesystem::path fromWindowsPath(std::string_view windowsPath) {
  std::string converted(windowsPath);
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return converted;
}

}  // namespace tfx::platform

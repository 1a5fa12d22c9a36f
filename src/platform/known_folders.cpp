#include "platform/known_folders.h"

#include <cstdlib>

namespace tfx::platform {
namespace {

std::filesystem::path fromEnvironment(const char* variable, const char* homeRelative) {
  if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
    return value;
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / homeRelative;
  }
  return {};
}

}  // namespace

std::filesystem::path roamingAppDataFolder() { return fromEnvironment("XDG_CONFIG_HOME", ".config"); }

std::filesystem::path programDataFolder() { return fromEnvironment("XDG_DATA_HOME", ".local/share"); }

std::filesystem::path runtimeFolder() {
  if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value != nullptr && *value != '\0') {
    return value;
  }
  return "/tmp";
}

}  // namespace tfx::platform

#include "platform/windows_file_lookup.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace tfx::platform {
namespace {

std::string windowsKey(std::string_view name) {
  while (!name.empty() && name.back() == '.') name.remove_suffix(1);
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

}  // namespace

bool existsAsOnWindows(const std::filesystem::path& folder, std::string_view name) {
  std::error_code error;
  const std::string wanted = windowsKey(name);
  if (wanted.empty()) return false;
  // The exact spelling is the common case and needs no listing.
  if (std::filesystem::exists(folder / wanted, error) || std::filesystem::exists(folder / std::string(name), error)) {
    return true;
  }
  std::filesystem::directory_iterator entries(folder, error);
  if (error) return false;
  for (const auto& entry : entries) {
    if (windowsKey(entry.path().filename().string()) == wanted) return true;
  }
  return false;
}

}  // namespace tfx::platform

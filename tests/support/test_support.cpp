#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/parameters.h"
#include "core/utf.h"
#include "runstate/stop_flags.h"

namespace tfx::test {
namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device entropy;
  path_ = fs::temp_directory_path() /
          ("tfx-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::to_string(entropy()));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

ScopedEnv::ScopedEnv(std::string name, const std::string& value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) previous_ = old;
  ::setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (previous_) {
    ::setenv(name_.c_str(), previous_->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

ScopedCurrentDir::ScopedCurrentDir(const fs::path& folder) : previous_(fs::current_path()) {
  fs::create_directories(folder);
  fs::current_path(folder);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code error;
  fs::current_path(previous_, error);
}

ScratchHome::ScratchHome()
    : config_("XDG_CONFIG_HOME", (root_ / "config").string()),
      data_("XDG_DATA_HOME", (root_ / "share").string()),
      runtime_("XDG_RUNTIME_DIR", (root_ / "run").string()) {
  fs::create_directories(root_ / "config");
  fs::create_directories(root_ / "share");
  fs::create_directories(root_ / "run");
  fs::create_directories(root_ / "install");
}

void resetProgramState() {
  const ParameterLists& lists = parameterLists();
  for (auto* parameter : lists.plainBools) parameter->set(parameter->defaultValue());
  for (auto* parameter : lists.checkBoxes) parameter->set(parameter->defaultValue());
  for (auto* parameter : lists.plainInts) parameter->set(parameter->defaultValue());
  for (auto* parameter : lists.windowInts) parameter->set(parameter->defaultValue());
  for (auto* parameter : lists.texts) parameter->set(parameter->defaultValue());
  for (auto* parameter : lists.closingTexts) parameter->set(parameter->defaultValue());
  parking_percentage.set(parking_percentage.defaultValue());
  MAX_FIT_FL.set(MAX_FIT_FL.defaultValue());
  ALL_INSTALL_PATH.set("");
  updateTrafficRadius();
  clearStopFlags();
}

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view content) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void writeUtf16File(const fs::path& path, std::string_view content) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : utf8ToUtf16(content)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  writeFile(path, bytes);
}

fs::path sharedDataFolder() {
  // The real-data folder sits beside the source tree; an environment override
  // serves checkouts kept elsewhere.
  const char* configured = std::getenv("AEROSHADOW_SHARED_DATA");
  const fs::path folder = configured != nullptr ? fs::path(configured) : sourceDir().parent_path() / "shared" / "data";
  if (!fs::is_directory(folder)) {
    throw std::runtime_error("the shared data folder " + folder.string() +
                             " is missing; put it beside the source tree or name it in AEROSHADOW_SHARED_DATA");
  }
  return folder;
}

fs::path sourceDir() { return TFX_SOURCE_DIR; }

fs::path binaryDir() { return TFX_BINARY_DIR; }

}  // namespace tfx::test

#pragma once
// Small helpers shared by the tests: scratch folders, environment and current
// folder that are restored afterwards, and the settings back at their defaults.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tfx::test {

// A fresh folder below the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& folder);
  ~ScopedCurrentDir();
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

// A per-user folder, runtime folder and current folder of the test's own.
class ScratchHome {
 public:
  ScratchHome();
  const std::filesystem::path& root() const { return root_.path(); }
  std::filesystem::path installFolder() const { return root_ / "install"; }
  std::filesystem::path configFolder() const { return root_ / "config"; }

 private:
  TempDir root_;
  ScopedEnv config_;
  ScopedEnv data_;
  ScopedEnv runtime_;
};

// Every setting back at its default, every stop flag cleared.
void resetProgramState();

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view content);
// The UTF-8 text as UTF-16 little-endian with a byte-order mark, as Windows
// programs write their configuration files.
void writeUtf16File(const std::filesystem::path& path, std::string_view content);

// The shared real-data folder (ADS-B traces, FAA sheet, ...) beside the source
// tree; throws with a message naming the expected path when it is missing.
std::filesystem::path sharedDataFolder();

std::filesystem::path sourceDir();
std::filesystem::path binaryDir();

}  // namespace tfx::test

#pragma once
// What the airport fuzz targets share: a broken promise stops the run, and
// each input runs in an install folder of the target's own.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

namespace tfx::fuzz {

inline void require(bool promise) {
  if (!promise) __builtin_trap();
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  require(file.good());
}

// A scratch folder below the temporary folder, made once per process and
// prepared there; entered for each input and left again (the fuzzer keeps its
// corpus by relative paths).
class InstallFolder {
 public:
  InstallFolder(std::string_view target, const std::function<void(const std::filesystem::path&)>& prepare)
      : previous_(std::filesystem::current_path()) {
    static const std::filesystem::path folder = [&] {
      std::string name = (std::filesystem::temp_directory_path() / (std::string(target) + ".XXXXXX")).string();
      require(mkdtemp(name.data()) != nullptr);
      prepare(name);
      return std::filesystem::path(name);
    }();
    std::filesystem::current_path(folder);
  }
  ~InstallFolder() { std::filesystem::current_path(previous_); }
  InstallFolder(const InstallFolder&) = delete;
  InstallFolder& operator=(const InstallFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace tfx::fuzz

#include "scan/addon_counts.h"

#include <fmt/format.h>

#include <atomic>

#include "core/folders.h"
#include "core/window_surface.h"

namespace tfx::scan {
namespace {

// Negative while not known: before start-up counted and while the scan runs.
std::atomic<int64_t>& thirdpartyFiles() {
  static std::atomic<int64_t> count{-1};
  return count;
}

std::atomic<int64_t>& orbxFiles() {
  static std::atomic<int64_t> count{-1};
  return count;
}

}  // namespace

int64_t countFolderFiles(const std::filesystem::path& folder) {
  std::error_code error;
  int64_t files = 0;
  for (auto entry = std::filesystem::directory_iterator(folder, error);
       !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::error_code typeError;
    if (entry->is_regular_file(typeError)) ++files;
  }
  return files;
}

void countAddonAirportFiles() {
  thirdpartyFiles() = countFolderFiles(paths::myThirdparty);
  orbxFiles() = countFolderFiles(paths::myOrbx);
  repaintStatusArea();
}

void showAddonScanRunning() {
  thirdpartyFiles() = -1;
  orbxFiles() = -1;
  repaintStatusArea();
}

std::string thirdpartyCountText() {
  const int64_t count = thirdpartyFiles();
  return count < 0 ? std::string("# thirdp: ...") : fmt::format("# thirdp: {}", count);
}

std::string orbxCountText() {
  const int64_t count = orbxFiles();
  if (count < 0) return {};
  return fmt::format("{} airport{} in {} folder", count, count == 1 ? "" : "s", paths::myOrbx.filename().string());
}

}  // namespace tfx::scan

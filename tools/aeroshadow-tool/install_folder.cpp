#include "install_folder.h"

#include <fmt/format.h>

#include <random>
#include <stdexcept>

#include "aircraft/read_dbase.h"
#include "core/folders.h"

namespace tfx::tool {

std::filesystem::path temporaryPlainFile(std::string_view stem) {
  std::random_device entropy;
  return std::filesystem::temp_directory_path() / fmt::format("{}-{:08x}{:08x}.xml", stem, entropy(), entropy());
}

void enterInstallFolder(const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) {
    throw std::runtime_error(fmt::format("install folder {} does not exist", folder.string()));
  }
  std::filesystem::current_path(folder);
  gf_readDbase(paths::dbaseEnc, temporaryPlainFile("aeroshadow-dbase"));
}

std::string jsonText(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace tfx::tool

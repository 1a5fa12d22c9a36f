#include "core/xml_files.h"

#include <fmt/format.h>

#include "core/log.h"

namespace tfx {

bool writeXmlAtomically(const pugi::xml_document& document, const std::filesystem::path& path) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  if (!document.save_file(temporary.c_str())) return false;
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

bool saveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path) {
  const bool saved = writeXmlAtomically(document, path);
  writeLog(saved ? fmt::format("'{}' saved", path.string()) : fmt::format("could not save to '{}'", path.string()));
  return saved;
}

}  // namespace tfx

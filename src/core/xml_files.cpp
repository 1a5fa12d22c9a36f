#include "core/xml_files.h"

#include <fmt/format.h>

#include <cstdio>

#include "core/log.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

// Writes the temporary file with `save`, then renames it over the target.
template <typename Save>
bool replaceFile(const fs::path& path, Save save) {
  fs::path temporary = path;
  temporary += ".tmp";
  std::error_code error;
  if (!save(temporary)) {
    fs::remove(temporary, error);
    return false;
  }
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace

bool writeXmlAtomically(const pugi::xml_document& document, const fs::path& path) {
  return replaceFile(path, [&](const fs::path& temporary) { return document.save_file(temporary.c_str()); });
}

bool writeXmlAtomically(std::string_view text, const fs::path& path) {
  return replaceFile(path, [&](const fs::path& temporary) { return writeXmlText(text, temporary); });
}

bool writeXmlText(std::string_view text, const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return (std::fclose(file) == 0) && written;
}

bool saveXmlFile(const pugi::xml_document& document, const fs::path& path) {
  const bool saved = writeXmlAtomically(document, path);
  writeLog(saved ? fmt::format("'{}' saved", path.string()) : fmt::format("could not save to '{}'", path.string()));
  return saved;
}

}  // namespace tfx

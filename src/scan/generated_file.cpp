#include "scan/generated_file.h"

#include <fmt/format.h>

#include "core/folders.h"
#include "core/xml_files.h"

namespace tfx::scan {

namespace fs = std::filesystem;

fs::path generatedFile(std::string_view kind, std::string_view ident) {
  return (kind == "simaddon" ? paths::myOrbx : paths::myThirdparty) / fmt::format("{}.xml", ident);
}

// A rescan mostly finds what the last one generated. A link costs no new
// file, and new files are what a scan's time went to: ext4 without a journal
// searches past every recently deleted inode for each new one, and each scan
// deletes the last one's files.
bool keepEarlierFile(const fs::path& earlier, const fs::path& target) {
  std::error_code error;
  fs::create_hard_link(earlier, target, error);
  if (!error || (fs::copy_file(earlier, target, error) && !error)) return true;
  std::error_code ignored;
  fs::remove(target, ignored);
  return false;
}

// The folder being built is not in use, so a changed file is written
// directly rather than beside it and renamed.
bool writeGeneratedFile(std::string_view text, const fs::path& target) {
  if (writeXmlText(text, target)) return true;
  std::error_code ignored;
  fs::remove(target, ignored);  // a part of a file would be taken for the whole
  return false;
}

}  // namespace tfx::scan

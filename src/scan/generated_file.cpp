#include "scan/generated_file.h"

#include <cstdio>
#include <string>

#include "core/xml_files.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;

// True when the file holds exactly the text; a file of another size is not read.
bool fileHolds(const fs::path& file, std::string_view text) {
  std::error_code error;
  if (fs::file_size(file, error) != text.size() || error) return false;
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) return false;
  std::string held(text.size(), '\0');
  const bool read = std::fread(held.data(), 1, held.size(), in) == held.size();
  std::fclose(in);
  return read && held == text;
}

}  // namespace

// A rescan mostly finds what the last one generated. A link costs no new
// file, and new files are what a scan's time went to: ext4 without a journal
// searches past every recently deleted inode for each new one, and each scan
// deletes the last one's files. The folder being built is not in use, so a
// changed file is written directly rather than beside it and renamed.
bool placeGeneratedFile(const airports::StandFileContent& content, const fs::path& earlier, const fs::path& target) {
  const std::string text = airports::standFileText(content, airports::StandFileMode::All);
  if (fileHolds(earlier, text)) {
    std::error_code error;
    fs::create_hard_link(earlier, target, error);
    if (!error) return true;
  }
  if (writeXmlText(text, target)) return true;
  std::error_code ignored;
  fs::remove(target, ignored);  // a part of a file would be taken for the whole
  return false;
}

}  // namespace tfx::scan

#include "scan/generated_file.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;

// Compares what the document writes with a file as it goes, so that
// neither needs to be held whole.
class SameBytesWriter final : public pugi::xml_writer {
 public:
  explicit SameBytesWriter(const fs::path& file) : in_(file, std::ios::binary) { same_ = static_cast<bool>(in_); }

  void write(const void* data, size_t size) override {
    const char* text = static_cast<const char*>(data);
    while (same_ && size > 0) {
      const size_t piece = std::min(size, chunk_.size());
      same_ = in_.read(chunk_.data(), static_cast<std::streamsize>(piece)) &&
              std::equal(text, text + piece, chunk_.begin());
      text += piece;
      size -= piece;
    }
  }

  // True when the file held the text written and nothing more.
  bool same() { return same_ && in_.peek() == std::ifstream::traits_type::eof(); }

 private:
  std::ifstream in_;
  std::array<char, 8192> chunk_{};
  bool same_ = false;
};

// With the indent and flags the document's save_file uses.
bool fileHolds(const fs::path& file, const pugi::xml_document& document) {
  SameBytesWriter writer(file);
  document.save(writer, "\t", pugi::format_default, pugi::encoding_auto);
  return writer.same();
}

}  // namespace

// A rescan mostly finds what the last one generated. A link costs no new
// file, and new files are what a scan's time went to: ext4 without a journal
// searches past every recently deleted inode for each new one, and each scan
// deletes the last one's files. The folder being built is not in use, so a
// changed file is written directly rather than beside it and renamed.
bool placeGeneratedFile(const airports::StandFileContent& content, const fs::path& earlier, const fs::path& target) {
  const pugi::xml_document document = airports::standFileDocument(content, airports::StandFileMode::All);
  if (fileHolds(earlier, document)) {
    std::error_code error;
    fs::create_hard_link(earlier, target, error);
    if (!error) return true;
  }
  if (document.save_file(target.c_str())) return true;
  std::error_code ignored;
  fs::remove(target, ignored);  // a part of a file would be taken for the whole
  return false;
}

}  // namespace tfx::scan

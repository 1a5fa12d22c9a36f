#pragma once
#include <filesystem>

namespace tfx {

// Deletes a file when it exists; a failure is logged as a warning
// ("Warning: could not remove {}, errorcode: {}") and the program goes on.
void gf_removeFile(const std::filesystem::path& file);

// A decrypted plain file must not outlive its reading, whichever way that ends.
class PlainFileGuard {
 public:
  explicit PlainFileGuard(std::filesystem::path file) : file_(std::move(file)) {}
  ~PlainFileGuard() { gf_removeFile(file_); }
  PlainFileGuard(const PlainFileGuard&) = delete;
  PlainFileGuard& operator=(const PlainFileGuard&) = delete;

 private:
  std::filesystem::path file_;
};

}  // namespace tfx

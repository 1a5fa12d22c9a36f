#pragma once
// Reading a file at chosen offsets without reading it whole: scenery files
// run to hundreds of megabytes while a decoder needs a few kilobytes of them.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace tfx::platform {

class PositionalFile {
 public:
  // Throws std::system_error when the file cannot be opened.
  explicit PositionalFile(const std::filesystem::path& path);
  ~PositionalFile();
  PositionalFile(const PositionalFile&) = delete;
  PositionalFile& operator=(const PositionalFile&) = delete;

  std::uint64_t size() const { return size_; }
  // Fills `into` from `offset` on; returns the bytes read, fewer only at the
  // end of the file. Throws std::system_error on a read error.
  std::size_t readAt(std::uint64_t offset, std::span<std::byte> into) const;

 private:
  int descriptor_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace tfx::platform

#pragma once
// Where the BGL decoder takes its bytes from: a file read piecewise at
// offsets, or a buffer already in memory.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/positional_file.h"

namespace tfx::scan {

class BglBytes {
 public:
  virtual ~BglBytes() = default;
  virtual std::uint64_t size() const = 0;
  // The bytes [offset, offset + length), which the caller has checked to lie
  // inside size(); valid until the next call.
  virtual std::span<const std::byte> view(std::uint64_t offset, std::size_t length) = 0;
};

class MemoryBglBytes final : public BglBytes {
 public:
  explicit MemoryBglBytes(std::span<const std::byte> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::span<const std::byte> view(std::uint64_t offset, std::size_t length) override {
    return bytes_.subspan(static_cast<std::size_t>(offset), length);
  }

 private:
  std::span<const std::byte> bytes_;
};

// Reads a window around what is asked, so that walking small records costs
// one read per window rather than one per record.
class FileBglBytes final : public BglBytes {
 public:
  // Throws std::system_error when the file cannot be opened.
  explicit FileBglBytes(const std::filesystem::path& path) : file_(path) {}
  std::uint64_t size() const override { return file_.size(); }
  std::span<const std::byte> view(std::uint64_t offset, std::size_t length) override;

 private:
  platform::PositionalFile file_;
  std::vector<std::byte> window_;
  std::uint64_t windowStart_ = 0;
};

}  // namespace tfx::scan

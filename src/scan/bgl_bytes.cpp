#include "scan/bgl_bytes.h"

#include <algorithm>
#include <stdexcept>

namespace tfx::scan {
namespace {

constexpr std::size_t kWindowBytes = 64 * 1024;

}  // namespace

std::span<const std::byte> FileBglBytes::view(std::uint64_t offset, std::size_t length) {
  if (offset < windowStart_ || offset + length > windowStart_ + window_.size()) {
    const std::uint64_t wanted = std::min<std::uint64_t>(std::max(length, kWindowBytes), size() - offset);
    window_.resize(static_cast<std::size_t>(wanted));
    windowStart_ = offset;
    if (file_.readAt(offset, window_) != window_.size()) {
      window_.clear();
      throw std::runtime_error("file shorter than its size");
    }
  }
  return std::span<const std::byte>(window_).subspan(static_cast<std::size_t>(offset - windowStart_), length);
}

}  // namespace tfx::scan

#include "scan/bgl_bytes.h"

#include <algorithm>
#include <stdexcept>

namespace tfx::scan {
namespace {

// The first read covers the header and the section table, which is all that
// most scenery files (objects, photos) are asked for; later reads walk records.
constexpr std::size_t kFirstWindowBytes = 4 * 1024;
constexpr std::size_t kWindowBytes = 64 * 1024;

}  // namespace

std::span<const std::byte> FileBglBytes::view(std::uint64_t offset, std::size_t length) {
  if (offset < windowStart_ || offset + length > windowStart_ + window_.size()) {
    const std::size_t least = window_.empty() ? kFirstWindowBytes : kWindowBytes;
    const std::uint64_t wanted = std::min<std::uint64_t>(std::max(length, least), size() - offset);
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

#include "platform/file_compare.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace tfx::platform {
namespace {

constexpr std::size_t kPieceBytes = 16 * 1024;

class Descriptor {
 public:
  explicit Descriptor(const std::filesystem::path& file) : value_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~Descriptor() {
    if (value_ >= 0) ::close(value_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int value() const { return value_; }

 private:
  int value_;
};

// Fills the piece unless the file ends or fails first.
bool readPiece(int descriptor, char* piece, std::size_t length) {
  while (length > 0) {
    const ssize_t got = ::read(descriptor, piece, length);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    piece += got;
    length -= static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

bool fileHolds(const std::filesystem::path& file, std::string_view bytes) {
  const Descriptor descriptor(file);
  if (descriptor.value() < 0) return false;
  struct stat status {};
  if (::fstat(descriptor.value(), &status) != 0 || static_cast<std::size_t>(status.st_size) != bytes.size()) return false;
  std::array<char, kPieceBytes> piece;
  for (std::size_t at = 0; at < bytes.size(); at += piece.size()) {
    const std::size_t length = std::min(piece.size(), bytes.size() - at);
    if (!readPiece(descriptor.value(), piece.data(), length) || std::memcmp(piece.data(), bytes.data() + at, length) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace tfx::platform

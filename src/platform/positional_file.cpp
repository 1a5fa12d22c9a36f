#include "platform/positional_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tfx::platform {

PositionalFile::PositionalFile(const std::filesystem::path& path) {
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) throw std::system_error(errno, std::generic_category(), path.string());
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) {
    const int error = errno;
    ::close(descriptor_);
    throw std::system_error(error, std::generic_category(), path.string());
  }
  size_ = static_cast<std::uint64_t>(status.st_size);
}

PositionalFile::~PositionalFile() { ::close(descriptor_); }

std::size_t PositionalFile::readAt(std::uint64_t offset, std::span<std::byte> into) const {
  std::size_t done = 0;
  while (done < into.size()) {
    const ssize_t got = ::pread(descriptor_, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "pread");
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace tfx::platform

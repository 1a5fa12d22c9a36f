#include "feed_ports_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tfx::test {
namespace {

// One lock per network namespace, named by the namespace's inode.
std::string lockFileName() {
  std::error_code error;
  const std::string network = std::filesystem::read_symlink("/proc/self/ns/net", error).string();
  std::string id;
  std::copy_if(network.begin(), network.end(), std::back_inserter(id), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  return "/tmp/aeroshadow-feed-ports" + (id.empty() ? std::string() : "-" + id) + ".lock";
}

}  // namespace

FeedPortsLock::FeedPortsLock() : fd_(::open(lockFileName().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
  if (fd_ < 0) throw std::runtime_error("cannot open the feed ports lock file: errno " + std::to_string(errno));
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) throw std::runtime_error("cannot lock the feed ports: errno " + std::to_string(errno));
  }
}

FeedPortsLock::~FeedPortsLock() { ::close(fd_); }

}  // namespace tfx::test

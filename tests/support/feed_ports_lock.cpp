#include "feed_ports_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace tfx::test {

FeedPortsLock::FeedPortsLock() : fd_(::open("/tmp/aeroshadow-feed-ports.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
  if (fd_ < 0) throw std::runtime_error("cannot open the feed ports lock file: errno " + std::to_string(errno));
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) throw std::runtime_error("cannot lock the feed ports: errno " + std::to_string(errno));
  }
}

FeedPortsLock::~FeedPortsLock() { ::close(fd_); }

}  // namespace tfx::test

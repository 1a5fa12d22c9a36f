#include "platform/socket_handle.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tfx::platform {

void SocketHandle::close() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

void SocketHandle::shutdown() {
  if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

int waitReadable(const SocketHandle& socket, int timeoutMs) {
  pollfd entry{socket.fd(), POLLIN, 0};
  int ready = 0;
  // A signal handled elsewhere in the process is no socket error: wait again.
  do {
    ready = ::poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return -1;
  return ready > 0 ? 1 : 0;
}

}  // namespace tfx::platform

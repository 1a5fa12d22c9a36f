#pragma once
// Ownership of one socket descriptor: closed when the owner ends.
#include <utility>

namespace tfx::platform {

class SocketHandle {
 public:
  SocketHandle() = default;
  explicit SocketHandle(int fd) : fd_(fd) {}
  ~SocketHandle() { close(); }
  SocketHandle(SocketHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept {
    if (this != &other) {
      close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  int fd() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void close();
  // Wakes a thread blocked on this socket without giving up the descriptor.
  void shutdown();

 private:
  int fd_ = -1;
};

// Waits until the socket can be read; returns 1 readable, 0 timeout, -1 error.
int waitReadable(const SocketHandle& socket, int timeoutMs);

}  // namespace tfx::platform

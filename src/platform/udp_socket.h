#pragma once
// UDP datagrams on IPv4: a receiver bound to a port, and a sender.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/socket_handle.h"

namespace tfx::platform {

// Results carry a byte count, or -1 with the Windows socket error number.
struct IoResult {
  long bytes = 0;
  int error = 0;
  bool ok() const { return bytes >= 0; }
};

class UdpReceiver {
 public:
  // Each step returns 0 or the Windows socket error number.
  int create();
  // To 127.0.0.1 when loopbackOnly, else to all local addresses; port 0 picks a free port.
  int bind(uint16_t port, bool loopbackOnly);
  // The port actually bound.
  uint16_t port() const;
  // 1 readable, 0 timeout, -1 error.
  int waitReadable(int timeoutMs) const { return platform::waitReadable(socket_, timeoutMs); }
  // One datagram. bytes is its whole length, which exceeds the buffer's size
  // when the datagram did not fit (only the buffer's worth was kept).
  IoResult receive(std::span<char> buffer);
  void close() { socket_.close(); }
  bool valid() const { return socket_.valid(); }

 private:
  SocketHandle socket_;
};

class UdpSender {
 public:
  UdpSender();
  bool valid() const { return socket_.valid(); }
  IoResult sendTo(std::string_view host, uint16_t port, std::string_view datagram);

 private:
  SocketHandle socket_;
};

}  // namespace tfx::platform

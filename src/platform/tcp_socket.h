#pragma once
// TCP on IPv4: a listening server socket and a connected stream.
#include <sys/socket.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "platform/socket_handle.h"
#include "platform/udp_socket.h"

namespace tfx::platform {

class TcpStream {
 public:
  TcpStream() = default;
  explicit TcpStream(SocketHandle socket) : socket_(std::move(socket)) {}

  // Connects to host:port; 0 or the Windows socket error number. A host that
  // does not answer is waited for in short steps; `cancelled` returning true
  // ends the wait with 10004 (interrupted).
  int connect(std::string_view host, uint16_t port, const std::function<bool()>& cancelled = {});
  bool valid() const { return socket_.valid(); }
  // Switches off send coalescing.
  int setNoDelay();
  // Sends every byte; bytes = size on success.
  IoResult sendAll(std::string_view data);
  // Sends what the socket takes now without waiting; bytes 0 when it is full.
  IoResult sendAvailable(std::string_view data);
  // One receive; bytes 0 means the peer closed the connection.
  IoResult receive(std::span<char> buffer);
  int waitReadable(int timeoutMs) const { return platform::waitReadable(socket_, timeoutMs); }
  // Ends both directions, waking a thread blocked in receive.
  void shutdown() { socket_.shutdown(); }
  void close() { socket_.close(); }

 private:
  SocketHandle socket_;
};

class TcpListener {
 public:
  // The steps of opening a server socket, each 0 or the Windows socket error number.
  int create();
  int setBlocking();
  int setReuseAddress();
  // To all local addresses, or 127.0.0.1 when loopbackOnly; port 0 picks a free port.
  int bind(uint16_t port, bool loopbackOnly = false);
  int listen(int backlog = SOMAXCONN);
  uint16_t port() const;
  bool valid() const { return socket_.valid(); }

  // Waits up to timeoutMs (negative: for ever) for a client; nullopt on
  // timeout. A failure sets `error` to the Windows socket error number.
  std::optional<TcpStream> accept(int timeoutMs, int& error);
  // Wakes a thread blocked in accept.
  void shutdown() { socket_.shutdown(); }
  void close() { socket_.close(); }

 private:
  SocketHandle socket_;
};

}  // namespace tfx::platform

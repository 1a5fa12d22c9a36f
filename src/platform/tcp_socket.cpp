#include "platform/tcp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <string>

#include "platform/socket_error.h"

namespace tfx::platform {
namespace {

constexpr int kInterrupted = 10004;
constexpr int kConnectStepMs = 100;

sockaddr_in ipv4Address(uint16_t port) {
  sockaddr_in result{};
  result.sin_family = AF_INET;
  result.sin_port = htons(port);
  return result;
}

}  // namespace

int TcpStream::connect(std::string_view host, uint16_t port, const std::function<bool()>& cancelled) {
  sockaddr_in address = ipv4Address(port);
  if (::inet_pton(AF_INET, std::string(host).c_str(), &address.sin_addr) != 1) return 10022;
  socket_ = SocketHandle(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_TCP));
  if (!socket_.valid()) return lastSocketError();
  const auto fail = [this](int error) {
    socket_.close();
    return error;
  };
  if (::connect(socket_.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (errno != EINPROGRESS) return fail(lastSocketError());
    // The handshake is waited for in steps, so that a closing program is not
    // held by an address that never answers.
    pollfd entry{socket_.fd(), POLLOUT, 0};
    while (true) {
      if (cancelled && cancelled()) return fail(kInterrupted);
      const int ready = ::poll(&entry, 1, kConnectStepMs);
      if (ready < 0 && errno != EINTR) return fail(lastSocketError());
      if (ready > 0) break;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket_.fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) return fail(lastSocketError());
    if (error != 0) return fail(toWinsockError(error));
  }
  // The receive side waits in blocking calls.
  const int flags = ::fcntl(socket_.fd(), F_GETFL);
  if (flags < 0 || ::fcntl(socket_.fd(), F_SETFL, flags & ~O_NONBLOCK) != 0) return fail(lastSocketError());
  return 0;
}

int TcpStream::setNoDelay() {
  const int on = 1;
  return ::setsockopt(socket_.fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0 ? 0 : lastSocketError();
}

IoResult TcpStream::sendAll(std::string_view data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const auto result = ::send(socket_.fd(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (result < 0) {
      if (errno == EINTR) continue;
      return {-1, lastSocketError()};
    }
    sent += static_cast<size_t>(result);
  }
  return {static_cast<long>(sent), 0};
}

IoResult TcpStream::sendAvailable(std::string_view data) {
  while (true) {
    const auto result = ::send(socket_.fd(), data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (result >= 0) return {static_cast<long>(result), 0};
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {0, 0};
    if (errno != EINTR) return {-1, lastSocketError()};
  }
}

IoResult TcpStream::receive(std::span<char> buffer) {
  while (true) {
    const auto received = ::recv(socket_.fd(), buffer.data(), buffer.size(), 0);
    if (received >= 0) return {static_cast<long>(received), 0};
    if (errno != EINTR) return {-1, lastSocketError()};
  }
}

int TcpListener::create() {
  socket_ = SocketHandle(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP));
  return socket_.valid() ? 0 : lastSocketError();
}

int TcpListener::setBlocking() {
  const int flags = ::fcntl(socket_.fd(), F_GETFL);
  if (flags < 0 || ::fcntl(socket_.fd(), F_SETFL, flags & ~O_NONBLOCK) != 0) return lastSocketError();
  return 0;
}

int TcpListener::setReuseAddress() {
  const int on = 1;
  return ::setsockopt(socket_.fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 ? 0 : lastSocketError();
}

int TcpListener::bind(uint16_t port, bool loopbackOnly) {
  sockaddr_in address = ipv4Address(port);
  address.sin_addr.s_addr = htonl(loopbackOnly ? INADDR_LOOPBACK : INADDR_ANY);
  if (::bind(socket_.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return lastSocketError();
  return 0;
}

int TcpListener::listen(int backlog) { return ::listen(socket_.fd(), backlog) == 0 ? 0 : lastSocketError(); }

uint16_t TcpListener::port() const {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (::getsockname(socket_.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

std::optional<TcpStream> TcpListener::accept(int timeoutMs, int& error) {
  error = 0;
  const int ready = platform::waitReadable(socket_, timeoutMs);
  if (ready == 0) return std::nullopt;
  if (ready < 0) {
    error = lastSocketError();
    return std::nullopt;
  }
  const int client = ::accept4(socket_.fd(), nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) {
    error = lastSocketError();
    return std::nullopt;
  }
  return TcpStream(SocketHandle(client));
}

}  // namespace tfx::platform

#include "platform/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <string>

#include "platform/socket_error.h"

namespace tfx::platform {
namespace {

sockaddr_in ipv4Address(in_addr_t address, uint16_t port) {
  sockaddr_in result{};
  result.sin_family = AF_INET;
  result.sin_port = htons(port);
  result.sin_addr.s_addr = address;
  return result;
}

}  // namespace

int UdpReceiver::create() {
  socket_ = SocketHandle(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP));
  return socket_.valid() ? 0 : lastSocketError();
}

int UdpReceiver::bind(uint16_t port, bool loopbackOnly) {
  const sockaddr_in address = ipv4Address(htonl(loopbackOnly ? INADDR_LOOPBACK : INADDR_ANY), port);
  if (::bind(socket_.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return lastSocketError();
  return 0;
}

uint16_t UdpReceiver::port() const {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (::getsockname(socket_.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

IoResult UdpReceiver::receive(std::span<char> buffer) {
  const auto received = ::recv(socket_.fd(), buffer.data(), buffer.size(), MSG_TRUNC);
  if (received < 0) return {-1, lastSocketError()};
  return {static_cast<long>(received), 0};
}

UdpSender::UdpSender() : socket_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)) {}

IoResult UdpSender::sendTo(std::string_view host, uint16_t port, std::string_view datagram) {
  sockaddr_in address = ipv4Address(0, port);
  if (::inet_pton(AF_INET, std::string(host).c_str(), &address.sin_addr) != 1) return {-1, 10022};
  const auto sent = ::sendto(socket_.fd(), datagram.data(), datagram.size(), 0,
                             reinterpret_cast<const sockaddr*>(&address), sizeof address);
  if (sent < 0) return {-1, lastSocketError()};
  return {static_cast<long>(sent), 0};
}

}  // namespace tfx::platform

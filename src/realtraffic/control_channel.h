#pragma once
// The RealTraffic control channel: the program is the TCP server, the
// RealTraffic client connects, is asked for its version, and is told the user
// aircraft's position (and, for the professional edition, the simulator time).
// Used only by the main program thread.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/tcp_socket.h"
#include "realtraffic/control_messages.h"
#include "realtraffic/feed_reset.h"
#include "realtraffic/live_traffic_control.h"

namespace tfx {

class ControlChannel {
 public:
  explicit ControlChannel(FeedReaders readers) : readers_(readers) {}
  ~ControlChannel() { close(); }
  ControlChannel(const ControlChannel&) = delete;
  ControlChannel& operator=(const ControlChannel&) = delete;

  // Listens on the port (PORT_NUMBER) on all local addresses; a failure
  // raises std::runtime_error with the step's text.
  void startControlServer(std::string_view port);
  // The port listened on (0 before the start).
  uint16_t port() const { return listener_.port(); }

  // Waits for the client, asks its version and marks RealTraffic connected.
  void waitForRealTraffic();
  // Waits for one client unless one is connected; true when a client was accepted now.
  bool waitForClient();
  bool sendToRealTraffic(std::string_view text);
  // One receive; empty on error or a closed connection.
  std::string receiveFromRealTraffic();

  // "Qs121"; re-connects a client that went away. The live traffic (null
  // while there is none) loses its aircraft when the client is gone.
  void sendUserPosition(const UserPosition& user, LiveTrafficControl* liveTraffic);
  // "Qs123", for the professional edition.
  void sendSimTime(int64_t seconds);

  // Close-down: "exit" to a connected client, then both sockets closed.
  void close();

  // A client is accepted and the last send succeeded.
  bool connected() const { return connected_.load(); }

 private:
  void askVersion();
  // One accept of up to timeoutMs: true when a client was accepted, false when
  // one was already there or accepting failed (logged), nullopt on timeout.
  std::optional<bool> acceptClient(int timeoutMs);

  FeedReaders readers_;
  platform::TcpListener listener_;
  platform::TcpStream client_;
  std::atomic<bool> connected_{false};
};

}  // namespace tfx

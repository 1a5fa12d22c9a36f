#pragma once
// The RealTraffic client's side of the control channel: connects to the
// program (again after every disconnection), answers the version request,
// records the position and time messages, and stops on "exit".
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "event_log.h"
#include "platform/tcp_socket.h"

namespace feedstandin {

struct ControlClientSettings {
  std::string host;
  uint16_t port = 0;
  int level = 2;
  std::string version;
};

class ControlClient {
 public:
  ControlClient(ControlClientSettings settings, EventLog& log);
  ~ControlClient();
  ControlClient(const ControlClient&) = delete;
  ControlClient& operator=(const ControlClient&) = delete;

  // Waits for the client's thread, which ends once a stop is requested.
  void join();

  int positionMessages() const { return positions_.load(); }
  int timeMessages() const { return times_.load(); }
  int connections() const { return connections_.load(); }

 private:
  void run();
  // Serves one connection until it ends or a stop is requested.
  void serve(tfx::platform::TcpStream& connection);
  void handle(const std::string& message, tfx::platform::TcpStream& connection);

  ControlClientSettings settings_;
  EventLog& log_;
  std::atomic<int> positions_{0};
  std::atomic<int> times_{0};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

}  // namespace feedstandin

#pragma once
// The stand-in's TCP server on 127.0.0.1: one client at a time, a later
// client after the first has left; frames at a fixed rate whether or not a
// client is connected.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "options.h"
#include "platform/tcp_socket.h"
#include "scenario.h"
#include "sim_session.h"
#include "trace.h"
#include "world.h"

namespace tfx::simstandin {

class StandinServer {
 public:
  StandinServer(const StandinOptions& options, const std::vector<std::string>& installedTitles);

  // Binds and listens; 0 or the socket error number.
  int listen();
  uint16_t port() const { return listener_.port(); }

  // Serves until `stop` says so, the scenario quits, or, with a single
  // client, that client leaves.
  void run(const std::function<bool()>& stop);

  // Progress lines for the console.
  std::function<void(const std::string&)> report = [](const std::string&) {};

 private:
  void serve(tfx::platform::TcpStream& stream, const std::function<bool()>& stop);
  // Advances the scenario and runs one frame when one is due.
  void tick(SimSession* session, Replies& out);
  double now() const;
  int millisecondsToNextFrame() const;

  StandinOptions options_;
  SimulatorIdentity identity_;
  World world_;
  Scenario scenario_;
  Trace trace_;
  tfx::platform::TcpListener listener_;
  std::chrono::steady_clock::time_point start_;
  std::optional<double> firstClientAt_;  // seconds since start_
  double nextFrame_ = 0;
  bool quit_ = false;
};

}  // namespace tfx::simstandin

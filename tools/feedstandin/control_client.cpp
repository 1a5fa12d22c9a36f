#include "control_client.h"

#include <fmt/format.h>

#include <chrono>
#include <nlohmann/json.hpp>

#include "stop_signal.h"

namespace feedstandin {
namespace {

constexpr int kPollMs = 100;

}  // namespace

ControlClient::ControlClient(ControlClientSettings settings, EventLog& log)
    : settings_(std::move(settings)), log_(log), thread_([this] { run(); }) {}

ControlClient::~ControlClient() {
  // Left early (an error elsewhere): the thread must not wait for a stop that never comes.
  if (thread_.joinable()) requestStop("feedstandin failed");
  join();
}

void ControlClient::join() {
  if (thread_.joinable()) thread_.join();
}

void ControlClient::run() {
  while (!stopRequested()) {
    tfx::platform::TcpStream connection;
    if (connection.connect(settings_.host, settings_.port) != 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
      continue;
    }
    ++connections_;
    log_.record(fmt::format("connected to the control channel on port {}", settings_.port));
    serve(connection);
    log_.record("control channel closed");
  }
}

void ControlClient::serve(tfx::platform::TcpStream& connection) {
  std::string pending;
  char buffer[4096];
  while (!stopRequested()) {
    const int ready = connection.waitReadable(kPollMs);
    if (ready == 0) continue;
    const auto received = ready < 0 ? tfx::platform::IoResult{-1, 0} : connection.receive(buffer);
    if (received.bytes <= 0) return;
    pending.append(buffer, static_cast<size_t>(received.bytes));
    for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      std::string message = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!message.empty() && message.back() == '\r') message.pop_back();
      handle(message, connection);
    }
  }
}

void ControlClient::handle(const std::string& message, tfx::platform::TcpStream& connection) {
  if (message == "Qs999=version") {
    const nlohmann::json answer{{"level", settings_.level}, {"version", settings_.version}};
    connection.sendAll(answer.dump());
    log_.record(fmt::format("version request answered: {}", answer.dump()));
  } else if (message.starts_with("Qs121=")) {
    ++positions_;
    log_.record(message);
  } else if (message.starts_with("Qs123=")) {
    ++times_;
    log_.record(message);
  } else if (message == "exit") {
    log_.record("exit");
    requestStop("exit from the program");
  } else {
    log_.record(fmt::format("unknown message: {}", message));
  }
}

}  // namespace feedstandin

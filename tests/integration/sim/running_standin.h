#pragma once
// The simulator stand-in served on a thread of the test process, on a free port.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "server.h"
#include "sim/simconnect/simconnect_config.h"

namespace tfx::simconnect::test {

class RunningStandin {
 public:
  RunningStandin(const simstandin::StandinOptions& options, const std::vector<std::string>& installedTitles)
      : server_(options, installedTitles) {
    EXPECT_EQ(server_.listen(), 0);
    thread_ = std::thread([this] { server_.run([this] { return stop_.load(); }); });
  }
  ~RunningStandin() { stop(); }
  void stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  uint16_t port() const { return server_.port(); }
  SimConnectConfig config() const {
    SimConnectConfig config;
    config.port = server_.port();
    config.disableNagle = true;
    return config;
  }

 private:
  simstandin::StandinServer server_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tfx::simconnect::test

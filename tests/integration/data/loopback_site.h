#pragma once
// A download site of the test's own on 127.0.0.1 (any free port), serving
// published files below /downloads/ and recording who asked for what.
#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tfx::test {

class LoopbackSite {
 public:
  LoopbackSite();
  ~LoopbackSite();
  LoopbackSite(const LoopbackSite&) = delete;
  LoopbackSite& operator=(const LoopbackSite&) = delete;

  // Serves content at <base>name; anything not published answers 404.
  void publish(const std::string& name, const std::string& content);
  std::string baseUrl() const;
  std::vector<std::string> requestedPaths() const;
  std::vector<std::string> userAgents() const;

 private:
  httplib::Server server_;
  int port_ = -1;
  std::thread thread_;
  mutable std::mutex lock_;
  std::map<std::string, std::string> files_;
  std::vector<std::string> requestedPaths_;
  std::vector<std::string> userAgents_;
};

}  // namespace tfx::test

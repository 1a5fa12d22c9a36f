#include "loopback_site.h"

#include <fmt/format.h>

#include <stdexcept>

namespace tfx::test {

LoopbackSite::LoopbackSite() {
  server_.Get(R"(/downloads/(.+))", [this](const httplib::Request& request, httplib::Response& response) {
    std::lock_guard guard(lock_);
    requestedPaths_.push_back(request.path);
    userAgents_.push_back(request.get_header_value("User-Agent"));
    const auto file = files_.find(request.matches[1].str());
    if (file == files_.end()) {
      response.status = 404;
      response.set_content("not published", "text/plain");
      return;
    }
    response.set_content(file->second, "application/octet-stream");
  });
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("the loopback site could not bind");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() only takes effect on a running server.
  while (!server_.is_running()) std::this_thread::yield();
}

LoopbackSite::~LoopbackSite() {
  server_.stop();
  thread_.join();
}

void LoopbackSite::publish(const std::string& name, const std::string& content) {
  std::lock_guard guard(lock_);
  files_[name] = content;
}

std::string LoopbackSite::baseUrl() const { return fmt::format("http://127.0.0.1:{}/downloads/", port_); }

std::vector<std::string> LoopbackSite::requestedPaths() const {
  std::lock_guard guard(lock_);
  return requestedPaths_;
}

std::vector<std::string> LoopbackSite::userAgents() const {
  std::lock_guard guard(lock_);
  return userAgents_;
}

}  // namespace tfx::test

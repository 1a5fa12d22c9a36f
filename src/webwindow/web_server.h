#pragma once
// The web window's HTTP server: one address (loopback, or all with
// WEB_WINDOW_LAN), a pool of worker threads, body limits, the guards before
// routing, every route through the API, and the event streams.
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "webwindow/event_stream.h"
#include "webwindow/web_api.h"

namespace httplib {
class Server;
}

namespace tfx::webwindow {

inline constexpr std::chrono::seconds kStalledBodyLimit{5};

class WebServer {
 public:
  WebServer(WebApi& api, EventStreams& streams);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Listens on the port (any free one when it is 0 or taken) on the thread
  // "Web Window"; the port it listens on, 0 when it could not listen at all.
  uint16_t start(uint16_t port, bool lan);
  // Ends the event streams, then the server and its thread.
  void stop();

 private:
  WebApi& api_;
  EventStreams& streams_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  // Set when the listening has ended (or failed at once).
  std::atomic<bool> listenEnded_{false};
};

}  // namespace tfx::webwindow

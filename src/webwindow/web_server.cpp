#include "webwindow/web_server.h"

#include <fmt/format.h>
#include <httplib.h>
#include <sys/socket.h>

#include "core/log.h"
#include "platform/thread_name.h"

namespace tfx::webwindow {
namespace {

// Four event streams and a few plain requests at once.
constexpr size_t kWorkerThreads = 8;

WebRequest webRequest(const httplib::Request& request) {
  WebRequest converted{request.method,
                       request.path,
                       request.get_header_value("Host"),
                       std::nullopt,
                       request.get_header_value("Content-Type"),
                       request.body};
  if (request.has_header("Origin")) converted.origin = request.get_header_value("Origin");
  return converted;
}

void answer(httplib::Response& response, const WebResponse& result) {
  response.status = result.status;
  response.set_content(result.body, result.contentType.c_str());
}

}  // namespace

WebServer::WebServer(WebApi& api, EventStreams& streams)
    : api_(api), streams_(streams), server_(std::make_unique<httplib::Server>()) {}

WebServer::~WebServer() { stop(); }

uint16_t WebServer::start(uint16_t port, bool lan) {
  httplib::Server& server = *server_;
  // Only SO_REUSEADDR: the library's default also reuses the port, which would
  // let a second program listen on a port that is taken.
  server.set_socket_options([](socket_t socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  // The library writes a response's head and body separately: with Nagle's
  // rule the body waits for the client's delayed acknowledgement (about 40 ms).
  server.set_tcp_nodelay(true);
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  server.set_payload_max_length(kMaxCommandBytes);
  server.set_read_timeout(kStalledBodyLimit);
  server.set_default_headers({{"Content-Security-Policy", "default-src 'self'"},
                              {"X-Content-Type-Options", "nosniff"},
                              {"Cache-Control", "no-store"}});
  // Host and Origin are checked before the body is read.
  server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
    const WebRequest converted = webRequest(request);
    if (!api_.guardRefusal(converted)) return httplib::Server::HandlerResponse::Unhandled;
    answer(response, api_.handle(converted));
    return httplib::Server::HandlerResponse::Handled;
  });
  auto route = [this](const httplib::Request& request, httplib::Response& response) {
    const WebResponse result = api_.handle(webRequest(request));
    if (!result.stream) {
      answer(response, result);
      return;
    }
    if (!streams_.open()) {
      answer(response, {503, "application/json", R"({"error":"too many event streams"})"});
      return;
    }
    auto position = std::make_shared<StreamPosition>();
    response.set_chunked_content_provider(
        "text/event-stream",
        [this, position](size_t, httplib::DataSink& sink) {
          const bool more = streams_.next(*position, [&](std::string_view text) {
            return sink.is_writable() && sink.write(text.data(), text.size());
          });
          if (!more) sink.done();
          return more;
        },
        [this](bool) { streams_.close(); });
  };
  server.Get(".*", route);
  server.Post(".*", route);
  const std::string host = lan ? "0.0.0.0" : "127.0.0.1";
  int bound = 0;
  if (port != 0 && server.bind_to_port(host, port)) {
    bound = port;
  } else {
    bound = server.bind_to_any_port(host);
    if (port != 0 && bound > 0) writeLog(fmt::format("===> Web window: port {} is taken, using {}", port, bound));
  }
  if (bound <= 0) return 0;
  api_.setPort(static_cast<uint16_t>(bound));
  listenEnded_ = false;
  thread_ = std::thread([this] {
    platform::setCurrentThreadName("Web Window");
    server_->listen_after_bind();
    listenEnded_ = true;
  });
  // A stop finds nothing to stop before the server runs, so start returns once it does.
  while (!server_->is_running() && !listenEnded_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  writeLog(fmt::format("Web window at http://127.0.0.1:{}/", bound));
  return static_cast<uint16_t>(bound);
}

void WebServer::stop() {
  if (!thread_.joinable()) return;
  streams_.stop();
  server_->stop();
  thread_.join();
}

}  // namespace tfx::webwindow

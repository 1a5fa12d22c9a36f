// The web window on loopback: a real server, a real window thread running
// its event loop, requests by an HTTP client.
#include "webwindow/web_server.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>

#include "../../unit/ui/window_fixture.h"
#include "app/window_loop.h"
#include "app/window_port.h"
#include "core/log.h"
#include "eventually.h"

namespace tfx::webwindow {
namespace {

class WebServerTest : public ui::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    windowThread_ = std::thread([this] { loop_.run(); });
    port_ = server_.start(0, false);
    ASSERT_NE(port_, 0);
  }
  void TearDown() override {
    server_.stop();
    loop_.post({app::WindowMessageKind::Close});
    windowThread_.join();
    WindowFixture::TearDown();
  }
  httplib::Client client() {
    httplib::Client http("127.0.0.1", port_);
    http.set_read_timeout(std::chrono::seconds(10));
    return http;
  }

  app::WindowLoop loop_{{.start = [] {},
                         .close = [] {},
                         .closeRequest = [this] { ++closeRequests_; },
                         .command =
                             [this](const app::WindowMessage& message) {
                               ui::runControlInput(context_, message.control, message.listValue, message.text);
                               if (message.done) message.done();
                             },
                         .paint = [] {}}};
  app::LoopWindowPort port{loop_};
  WebApi api_{model_, picture_, port, false};
  EventStreams streams_{model_, picture_};
  WebServer server_{api_, streams_};
  std::thread windowThread_;
  uint16_t port_ = 0;
  std::atomic<int> closeRequests_{0};
};

TEST_F(WebServerTest, EndpointsAnswerWithTheirTypesAndHeaders) {
  auto http = client();
  const auto page = http.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->get_header_value("Content-Security-Policy"), "default-src 'self'");
  EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
  EXPECT_EQ(page->get_header_value("Cache-Control"), "no-store");
  const auto window = http.Get("/api/window");
  ASSERT_TRUE(window);
  EXPECT_EQ(window->get_header_value("Content-Type"), "application/json");
  EXPECT_EQ(nlohmann::json::parse(window->body)["controls"].size(), 40u);
  EXPECT_EQ(http.Get("/nothing")->status, 404);
  const auto closing = http.Post("/api/close", "", "application/json");
  EXPECT_EQ(closing->status, 202);
  EXPECT_TRUE(test::eventually([&] { return closeRequests_ == 1; }));
}

TEST_F(WebServerTest, ACommandRunsOnTheWindowThreadAndIsSaved) {
  auto http = client();
  const auto answer = http.Post("/api/command", R"({"id":32779})", "application/json");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_FALSE(LOG.value());
  EXPECT_EQ(stored("LOG"), "false");
  const auto pick = http.Post("/api/command", R"({"id":32847,"value":25})", "application/json");
  EXPECT_EQ(pick->status, 200);
  EXPECT_EQ(stored("MAX_LIVE_SEL"), "25");
}

TEST_F(WebServerTest, RefusalsOverTheWire) {
  LogCapture log;
  auto http = client();
  EXPECT_EQ(http.Get("/api/window", {{"Host", "evil.example"}})->status, 403);
  EXPECT_EQ(http.Get("/api/window", {{"Origin", "http://evil.example"}})->status, 403);
  EXPECT_EQ(http.Post("/api/command", R"({"id":32779})", "text/plain")->status, 415);
  EXPECT_EQ(http.Post("/api/command", std::string(5000, ' '), "application/json")->status, 413);
  EXPECT_TRUE(LOG.value());
  EXPECT_TRUE(log.contains("===> Web window: GET /api/window refused: host 'evil.example'"));
}

TEST_F(WebServerTest, OnlyTheLoopbackAddressListens) {
  httplib::Client other("127.0.0.2", port_);
  other.set_connection_timeout(std::chrono::seconds(2));
  EXPECT_FALSE(other.Get("/"));
}

TEST_F(WebServerTest, ATakenPortFallsBackToAFreeOne) {
  LogCapture log;
  EventStreams streams(model_, picture_);
  WebServer second(api_, streams);
  const uint16_t fallback = second.start(port_, false);
  EXPECT_NE(fallback, 0);
  EXPECT_NE(fallback, port_);
  EXPECT_TRUE(log.contains(fmt::format("===> Web window: port {} is taken, using {}", port_, fallback)));
  EXPECT_TRUE(log.contains(fmt::format("Web window at http://127.0.0.1:{}/", fallback)));
  second.stop();
  api_.setPort(port_);
}

// Reads an event stream on its own thread and keeps what arrived.
class StreamReader {
 public:
  explicit StreamReader(uint16_t port)
      : thread_([this, port] {
          httplib::Client http("127.0.0.1", port);
          http.set_read_timeout(std::chrono::seconds(30));
          const auto result = http.Get("/api/events", [&](const char* data, size_t length) {
            std::lock_guard guard(lock_);
            received_.append(data, length);
            return !leave_;
          });
          std::lock_guard guard(lock_);
          status_ = result ? result->status : -1;
          ended_ = true;
        }) {}
  ~StreamReader() {
    leave_ = true;
    thread_.join();
  }
  std::string received() const {
    std::lock_guard guard(lock_);
    return received_;
  }
  bool ended() const {
    std::lock_guard guard(lock_);
    return ended_;
  }
  int status() const {
    std::lock_guard guard(lock_);
    return status_;
  }

 private:
  mutable std::mutex lock_;
  std::string received_;
  bool ended_ = false;
  int status_ = 0;
  std::atomic<bool> leave_{false};
  std::thread thread_;
};

TEST_F(WebServerTest, StreamsCarryChangesAndAFifthIsRefused) {
  std::vector<std::unique_ptr<StreamReader>> readers;
  for (int stream = 0; stream < kMaxEventStreams; ++stream) readers.push_back(std::make_unique<StreamReader>(port_));
  for (const auto& reader : readers) {
    ASSERT_TRUE(test::eventually([&] { return reader->received().find("event: traffic") != std::string::npos; }));
  }
  EXPECT_TRUE(test::eventually([&] { return streams_.openStreams() == kMaxEventStreams; }));
  const auto fifth = client().Get("/api/events");
  ASSERT_TRUE(fifth);
  EXPECT_EQ(fifth->status, 503);
  client().Post("/api/command", R"({"id":32858})", "application/json");
  EXPECT_TRUE(test::eventually([&] {
    return readers[0]->received().find("All static parked aircraft will be removed ...") != std::string::npos;
  }));
  picture_.publish();
  EXPECT_TRUE(test::eventually(
      [&] { return readers[1]->received().find("event: traffic\ndata: {\"revision\":1,") != std::string::npos; }));
  // The stop ends the streams, so the readers need not wait for a keep-alive to leave.
  server_.stop();
}

TEST_F(WebServerTest, StopEndsOpenStreams) {
  StreamReader reader(port_);
  ASSERT_TRUE(test::eventually([&] { return reader.received().find("event: window") != std::string::npos; }));
  server_.stop();
  EXPECT_EQ(streams_.openStreams(), 0);
  EXPECT_TRUE(test::eventually([&] { return reader.ended(); }));
}

}  // namespace
}  // namespace tfx::webwindow

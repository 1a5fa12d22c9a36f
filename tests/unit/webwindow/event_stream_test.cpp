#include "webwindow/event_stream.h"

#include <gtest/gtest.h>

#include <thread>

#include "ui/window_model.h"

namespace tfx::webwindow {
namespace {

struct Recorder {
  std::string written{};
  bool accept = true;
  std::function<bool(std::string_view)> write() {
    return [this](std::string_view text) {
      written += text;
      return accept;
    };
  }
};

TEST(EventStreams, BothEventsOnConnectingThenEachChange) {
  ui::WindowModel model;
  ui::TrafficPictureBuffer picture;
  EventStreams streams(model, picture);
  StreamPosition position;
  Recorder page;
  ASSERT_TRUE(streams.next(position, page.write()));
  EXPECT_EQ(page.written.find("event: window\ndata: {\"revision\":"), 0u);
  EXPECT_NE(page.written.find("\n\nevent: traffic\ndata: {\"revision\":0,"), std::string::npos);
  page.written.clear();
  ASSERT_TRUE(streams.next(position, page.write()));
  EXPECT_EQ(page.written, "");
  model.setEnabled(32858, false);
  picture.publish();
  ASSERT_TRUE(streams.next(position, page.write()));
  EXPECT_EQ(page.written.find("event: window\n"), 0u);
  EXPECT_NE(page.written.find("event: traffic\ndata: {\"revision\":1,"), std::string::npos);
}

TEST(EventStreams, APageThatWentAwayEndsItsStream) {
  ui::WindowModel model;
  ui::TrafficPictureBuffer picture;
  EventStreams streams(model, picture);
  StreamPosition position;
  Recorder page{.accept = false};
  EXPECT_FALSE(streams.next(position, page.write()));
}

TEST(EventStreams, FourAtMostAndAStopEndsThem) {
  ui::WindowModel model;
  ui::TrafficPictureBuffer picture;
  EventStreams streams(model, picture);
  for (int stream = 0; stream < kMaxEventStreams; ++stream) EXPECT_TRUE(streams.open());
  EXPECT_FALSE(streams.open());
  streams.close();
  EXPECT_TRUE(streams.open());
  std::vector<std::thread> pages;
  for (int stream = 0; stream < kMaxEventStreams; ++stream) {
    pages.emplace_back([&] {
      StreamPosition position;
      Recorder page;
      while (streams.next(position, page.write())) {
      }
      streams.close();
    });
  }
  streams.stop();
  EXPECT_EQ(streams.openStreams(), 0);
  EXPECT_FALSE(streams.open());
  for (std::thread& page : pages) page.join();
}

}  // namespace
}  // namespace tfx::webwindow

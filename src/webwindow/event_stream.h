#pragma once
// The page's live updates as Server-Sent Events: "window" and "traffic" on
// connecting, then after each change (a window change at most every 50 ms)
// and each traffic publish, a keep-alive comment every 15 s. At most four
// streams at once; a stop ends them all within 100 ms.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "ui/traffic_picture.h"
#include "ui/window_model.h"

namespace tfx::webwindow {

inline constexpr int kMaxEventStreams = 4;
inline constexpr std::chrono::milliseconds kWindowEventSpacing{50};
inline constexpr std::chrono::seconds kKeepAliveInterval{15};

// Where one stream stands.
struct StreamPosition {
  bool started = false;
  uint64_t windowSeen = 0;
  uint64_t trafficSeen = 0;
  std::chrono::steady_clock::time_point lastWindowEvent{};
  std::chrono::steady_clock::time_point lastWrite{};
};

// "event: NAME\ndata: JSON\n\n".
std::string eventText(std::string_view name, std::string_view data);

class EventStreams {
 public:
  EventStreams(const ui::WindowModel& model, const ui::TrafficPictureBuffer& picture)
      : model_(model), picture_(picture) {}

  // A place for one more stream; false when four are open or the streams stop.
  bool open();
  void close();
  int openStreams() const;

  // Waits (briefly) for what is new and writes it; false when the stream is
  // to end: a stop, or the page went away (write returned false).
  bool next(StreamPosition& position, const std::function<bool(std::string_view)>& write);

  // Every stream ends within 100 ms; waits until all have closed.
  void stop();

 private:
  const ui::WindowModel& model_;
  const ui::TrafficPictureBuffer& picture_;
  std::atomic<bool> stopping_{false};
  mutable std::mutex lock_;
  std::condition_variable closed_;
  int open_ = 0;
};

}  // namespace tfx::webwindow

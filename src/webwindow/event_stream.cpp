#include "webwindow/event_stream.h"

#include <fmt/format.h>

#include <thread>

#include "webwindow/traffic_json.h"
#include "webwindow/window_json.h"

namespace tfx::webwindow {
namespace {

using Clock = std::chrono::steady_clock;
// Short waits keep both the stop and a traffic publish within reach.
constexpr std::chrono::milliseconds kWaitStep{20};

std::string windowText(const ui::WindowModel& model, uint64_t& seen) {
  return eventText("window", windowJsonText(model, &seen));
}

}  // namespace

std::string eventText(std::string_view name, std::string_view data) {
  return fmt::format("event: {}\ndata: {}\n\n", name, data);
}

bool EventStreams::open() {
  std::lock_guard guard(lock_);
  if (stopping_ || open_ >= kMaxEventStreams) return false;
  ++open_;
  return true;
}

void EventStreams::close() {
  {
    std::lock_guard guard(lock_);
    --open_;
  }
  closed_.notify_all();
}

int EventStreams::openStreams() const {
  std::lock_guard guard(lock_);
  return open_;
}

bool EventStreams::next(StreamPosition& position, const std::function<bool(std::string_view)>& write) {
  if (stopping_) return false;
  const auto now = Clock::now();
  if (!position.started) {
    position.started = true;
    position.lastWindowEvent = position.lastWrite = now;
    position.trafficSeen = picture_.revision();
    return write(windowText(model_, position.windowSeen)) && write(eventText("traffic", trafficJsonText(picture_)));
  }
  const uint64_t windowRevision = model_.waitForChange(position.windowSeen, kWaitStep);
  if (stopping_) return false;
  std::string events;
  if (windowRevision != position.windowSeen) {
    // Changes in quick succession go out together, one event per 50 ms at most.
    const auto due = position.lastWindowEvent + kWindowEventSpacing;
    if (Clock::now() < due) std::this_thread::sleep_until(due);
    events += windowText(model_, position.windowSeen);
    position.lastWindowEvent = Clock::now();
  }
  if (const uint64_t trafficRevision = picture_.revision(); trafficRevision != position.trafficSeen) {
    position.trafficSeen = trafficRevision;
    events += eventText("traffic", trafficJsonText(picture_));
  }
  if (events.empty() && Clock::now() - position.lastWrite >= kKeepAliveInterval) events = ": keep-alive\n\n";
  if (events.empty()) return true;
  position.lastWrite = Clock::now();
  return write(events);
}

void EventStreams::stop() {
  stopping_ = true;
  std::unique_lock guard(lock_);
  closed_.wait(guard, [&] { return open_ == 0; });
}

}  // namespace tfx::webwindow

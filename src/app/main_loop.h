#pragma once
// The session's main loop: a 10 ms cycle that runs the traffic work, and a
// tick of about one second, driven by the simulator's once-a-second reply,
// that runs the slower periodic work on chosen ticks.
#include <chrono>
#include <cstdint>

#include "app/park_airport_work.h"
#include "app/simulator_link.h"
#include "app/window_request_work.h"
#include "realtraffic/control_channel.h"
#include "realtraffic/traffic_queue.h"
#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_reader.h"
#include "traffic/traffic_cycle.h"
#include "traffic/traffic_state.h"
#include "ui/traffic_picture.h"
#include "ui/window_model.h"
#include "ui/window_requests.h"

namespace tfx::app {

inline constexpr std::chrono::milliseconds kCyclePeriod{10};

struct SessionFeeds {
  TrafficQueue& queue;
  WeatherReader& weather;
  TrafficReader& traffic;
  ControlChannel& channel;
};

// What the main loop does for the window: the requests of its handlers and the traffic picture.
struct WindowSide {
  ui::WindowModel& model;
  ui::WindowRequests& requests;
  ui::TrafficPictureBuffer& picture;
  const TrafficState& traffic;
};

class MainLoop {
 public:
  // Without parking work no park airport is chosen and no static aircraft
  // made; without a window side no picture is published.
  MainLoop(SimulatorLink& simulator, SessionFeeds feeds, TrafficCycle& traffic, ParkAirportWork* parking = nullptr,
           std::optional<WindowSide> window = std::nullopt)
      : simulator_(simulator), feeds_(feeds), traffic_(traffic), parking_(parking), window_(window) {
    if (window_) requestWork_.emplace(window_->model, window_->requests, window_->traffic, simulator_.exchange(), parking_);
  }

  // Runs cycles against absolute 10 ms deadlines until the session ends.
  void run();

  // The loop's start: the feed-state check, tick counter 0, traffic accepted.
  void begin();
  // One cycle; false once the session is to end.
  bool cycleStep();
  // Compares the feeds' datagram counters with the previous check.
  void feedStateCheck();

  int32_t tickCounter() const { return tickCounter_; }
  int64_t cyclesRun() const { return cyclesRun_; }
  // How long run() ran, in seconds.
  double secondsRun() const { return secondsRun_; }
  bool markedNotRunning() const { return notRunning_; }

 private:
  void trafficCycle();
  void tickStep();
  void notRunningStep();
  void chosenTickWork();
  void sendUserPosition();
  void publishPicture();
  void applyAutomaticRadius();
  std::optional<ui::PictureUser> pictureUser() const;

  SimulatorLink& simulator_;
  SessionFeeds feeds_;
  TrafficCycle& traffic_;
  ParkAirportWork* parking_;
  std::optional<WindowSide> window_;
  std::optional<WindowRequestWork> requestWork_;
  int32_t tickCounter_ = 0;
  int64_t cyclesRun_ = 0;
  double secondsRun_ = 0.0;
  bool notRunning_ = false;
  int32_t notRunningCountdown_ = 100;
  int32_t lastWeatherCount_ = 0;
  int32_t lastTrafficCount_ = 0;
};

}  // namespace tfx::app

#pragma once
// The session now running, as the window thread reaches it: the values of
// its status area and its notification list for blocked callsigns. The
// session attaches itself when it is made and detaches before it goes.
#include <cstdint>
#include <mutex>

#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_reader.h"
#include "sim/sim_session.h"
#include "ui/status_values.h"

namespace tfx::app {

struct SessionParts {
  sim::SimSession* simulator = nullptr;
  const WeatherReader* weather = nullptr;
  const TrafficReader* traffic = nullptr;
};

class RunningSession {
 public:
  void attach(SessionParts parts);
  void detach();

  // Kind 5 for the main program thread; nothing while no session runs.
  void postCallsignBlocked(uint32_t hexid);
  // The simulator's and the feeds' part of the status values.
  void fillStatus(ui::StatusValues& values) const;

 private:
  mutable std::mutex lock_;
  SessionParts parts_;
};

}  // namespace tfx::app

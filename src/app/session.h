#pragma once
// One session: the simulator thread, RealTraffic's control channel, the two
// feed readers and the main loop, from the wait for the simulator to the end
// of the loop, and their part of the close-down.
#include <thread>

#include "app/main_loop.h"
#include "app/park_airport_work.h"
#include "app/program_run.h"
#include "app/session_traffic.h"
#include "app/sim_session_link.h"
#include "app/user_stand_link.h"
#include "realtraffic/control_channel.h"
#include "realtraffic/traffic_queue.h"
#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_reader.h"
#include "sim/sim_session.h"

namespace tfx::app {

// Where the feeds arrive; the real ports unless a test picks others.
struct FeedPorts {
  uint16_t traffic = kTrafficFeedPort;
  uint16_t weather = kWeatherFeedPort;
};

class Session {
 public:
  Session(ProgramRun& program, FeedPorts ports = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void run();
  // Close-down of what the session started: the simulator thread, the
  // readers, the control channel. Runs after the loop, also after a failure.
  void stop();

 private:
  bool waitForSimulator();
  void connectRealTraffic();
  void startReaders();
  void waitForFirstTraffic();
  void joinReaders();
  ParkingSources parkingSources();

  ProgramRun& program_;
  UserStandLink userStand_;
  sim::SimSession simulator_{userStand_.links()};
  SimSessionLink link_{simulator_};
  TrafficQueue queue_;
  WeatherReader weather_;
  TrafficReader traffic_;
  ControlChannel channel_{{weather_, traffic_}};
  SessionTraffic liveTraffic_{link_, queue_, {program_.liveries, program_.flightPlans}};
  ParkAirportWork parking_{airports::airportDatabase(), liveTraffic_.parked(), liveTraffic_.state(),
                           liveTraffic_.livery(),        traffic_.feed,         userStand_,
                           parkingSources()};
  MainLoop loop_{link_,
                 {queue_, weather_, traffic_, channel_},
                 liveTraffic_.cycle(),
                 &parking_,
                 WindowSide{program_.model, program_.requests, program_.picture, liveTraffic_.state()}};
  std::thread weatherThread_;
  std::thread trafficThread_;
};

}  // namespace tfx::app

#pragma once
// What outlives one main program thread: the window it reports to and the
// work done once per process.
#include <atomic>

#include "aircraft/aircraft_database.h"
#include "aircraft/livery_catalogue.h"
#include "app/running_session.h"
#include "app/window_loop.h"
#include "flightplan/flight_plan_list.h"
#include "ui/traffic_picture.h"
#include "ui/window_model.h"
#include "ui/window_requests.h"

namespace tfx::app {

struct ProgramRun {
  ProgramRun(WindowPoster& windowPoster, ui::WindowModel& windowModel) : window(windowPoster), model(windowModel) {}

  WindowPoster& window;
  ui::WindowModel& model;
  // Set while a restart is prepared; the next start-up skips the once-per-process work.
  std::atomic<bool> restarting{false};
  // Main program threads run one after another, never together.
  bool dataLoaded = false;
  // The flight plans written for live aircraft since the start.
  flightplan::FlightPlanList flightPlans;
  // Set up once per process; a restart keeps the tables and the counters.
  LiveryCatalogue liveries{aircraftDatabase()};
  // What the window's handlers ask of the main program thread.
  ui::WindowRequests requests;
  // The traffic the window shows, published by the main loop.
  ui::TrafficPictureBuffer picture;
  // The session now running, as the window thread reaches it.
  RunningSession session;
};

}  // namespace tfx::app

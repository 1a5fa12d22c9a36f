#include "app/session.h"

#include <fmt/format.h>

#include <chrono>
#include <string>

#include "airports/day_half_hour.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/simulator_detection.h"
#include "core/window_surface.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/stop_flags.h"

namespace tfx::app {
namespace {

using namespace std::chrono_literals;

// Sleeps in steps until the condition holds; false when a stop came first.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds step) {
  while (!condition()) {
    if (stopRequested()) return false;
    std::this_thread::sleep_for(step);
  }
  return !stopRequested();
}

// A wait that a stop cuts short.
void pause(std::chrono::milliseconds length) {
  const auto end = std::chrono::steady_clock::now() + length;
  while (std::chrono::steady_clock::now() < end && !stopRequested()) std::this_thread::sleep_for(50ms);
}

}  // namespace

Session::Session(ProgramRun& program, FeedPorts ports)
    : program_(program),
      weather_(ports.weather, realTrafficPresent()),
      traffic_(queue_, ports.traffic, realTrafficPresent()) {
  program_.session.attach({&simulator_, &weather_, &traffic_});
  liveTraffic_.attachParking(&parking_);
}

Session::~Session() {
  program_.session.detach();
  joinReaders();
  if (simulator_.threadRunning()) simulator_.join();
}

void Session::run() {
  realTrafficStatus().connected = false;
  repaintStatusArea();
  simulator_.prepareSession(std::stoi(simMajorVersion()));
  simulator_.start();
  if (!waitForSimulator()) return;
  connectRealTraffic();
  if (stopRequested()) return;
  queue_.setAccepting(false);
  startReaders();
  channel_.sendUserPosition(link_.userPosition(), nullptr);
  traffic_.feed.setReferencePosition({link_.userPosition().lat, link_.userPosition().lon});
  waitForFirstTraffic();
  parking_.startUp();
  loop_.run();
  writeLog(fmt::format("Main loop: {} cycles in {:.1f} s", loop_.cyclesRun(), loop_.secondsRun()));
  parking_.closeDown();
  joinReaders();
}

ParkingSources Session::parkingSources() {
  return {.user =
              [this] {
                const sim::UserState user = simulator_.userState();
                return airports::UserAircraft{.position = {user.lat, user.lon},
                                              .onGround = simulator_.userOnGround().value_or(false),
                                              .heightAboveGroundFt = user.altitudeAboveGround};
              },
          .clock =
              [this] {
                // While the simulator's time is sent to RealTraffic the feed
                // plays that moment of the week, so the stands follow it.
                std::optional<int64_t> simulatorTime;
                if (realTrafficStatus().professional) simulatorTime = link_.simTime();
                return airports::parkingClock(std::chrono::system_clock::now(), simulatorTime);
              }};
}

bool Session::waitForSimulator() {
  if (!waitUntil([&] { return simulator_.flightRunning() && !simulator_.paused(); }, 100ms)) return false;
  simulator_.requestUserOnGroundEverySecond();
  if (!waitUntil([&] { return simulator_.userPositionKnown(); }, 500ms)) return false;
  simulator_.copyUserState();
  simulator_.requestUserTitleAndModel();
  return true;
}

void Session::connectRealTraffic() {
  const bool useChannel = realTrafficPresent() && !AEROWINX.value();
  if (useChannel) {
    channel_.startControlServer(PORT_NUMBER.value());
  } else {
    realTrafficStatus().connected = true;
    repaintStatusArea();
  }
  if (stopRequested()) return;
  if (AEROWINX.value()) {
    realTrafficStatus().professional = false;
  } else {
    channel_.waitForRealTraffic();
    if (realTrafficStatus().professional) channel_.sendSimTime(link_.simTime());
  }
}

void Session::startReaders() {
  weatherThread_ = std::thread([this] { weather_.run(); });
  pause(2s);
  trafficThread_ = std::thread([this] { traffic_.run(); });
}

void Session::waitForFirstTraffic() {
  for (int wait = 0; wait < 150 && traffic_.feed.lastTimestamp == 0.0 && !stopRequested(); ++wait) {
    std::this_thread::sleep_for(100ms);
  }
  if (traffic_.feed.lastTimestamp == 0.0) writeLog("No traffic in this region?");
}

void Session::joinReaders() {
  // The readers leave their loops on their own stop flags.
  traffic_.stopFlag = true;
  weather_.stopFlag = true;
  if (trafficThread_.joinable()) trafficThread_.join();
  if (weatherThread_.joinable()) weatherThread_.join();
}

void Session::stop() {
  queue_.setAccepting(false);
  if (simulator_.threadRunning()) simulator_.join();
  joinReaders();
  std::this_thread::sleep_for(500ms);
  channel_.close();
  for (const UdpReader* reader : {static_cast<const UdpReader*>(&weather_), static_cast<const UdpReader*>(&traffic_)}) {
    writeLog(fmt::format("{}: {} datagrams received", reader->name(), reader->datagramCount.load()));
  }
  if (const std::string edition = realTrafficStatus().editionText(); !edition.empty()) writeLog(edition);
}

}  // namespace tfx::app

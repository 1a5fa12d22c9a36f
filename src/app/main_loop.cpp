#include "app/main_loop.h"

#include <fmt/format.h>

#include <thread>

#include "app/parking_picture_fill.h"
#include "app/traffic_picture_fill.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/utc_time.h"
#include "core/window_surface.h"
#include "realtraffic/feed_state.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/cycle_clock.h"
#include "runstate/stop_flags.h"
#include "ui/automatic_radius.h"

namespace tfx::app {
namespace {

constexpr int32_t kTicksPerDay = 86400;
constexpr int32_t kCyclesBetweenPositionReports = 100;

// A feed whose counter moved receives; one that stood still has no data.
void judgeFeed(std::atomic<int32_t>& state, int32_t count, int32_t& lastCount) {
  if (count == lastCount) {
    state = kFeedNoData;
    repaintStatusArea();
  } else if (state != kFeedReceiving) {
    state = kFeedReceiving;
    repaintStatusArea();
  }
  lastCount = count;
}

}  // namespace

void MainLoop::run() {
  begin();
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto deadline = start;
  while (cycleStep()) {
    deadline += kCyclePeriod;
    // The sleep aims at an absolute deadline, so a slow cycle shortens the
    // next sleep instead of shifting the schedule.
    std::this_thread::sleep_until(deadline);
    // A new tick puts the schedule back in step with the simulator's second.
    if (simulator_.tickPending()) deadline = Clock::now();
  }
  secondsRun_ = std::chrono::duration<double>(Clock::now() - start).count();
}

void MainLoop::begin() {
  feedStateCheck();
  tickCounter_ = 0;
  feeds_.queue.setAccepting(true);
}

bool MainLoop::cycleStep() {
  // Every waiting loop leaves as soon as a stop is asked for; the simulator
  // thread is closing its connection by then.
  if (stopRequested()) return false;
  ++cyclesRun_;
  if (!simulator_.flightRunning() || simulator_.paused()) {
    notRunningStep();
    return !stopRequested();
  }
  trafficCycle();
  if (!simulator_.takeTick()) return true;
  tickStep();
  if (stopRequested()) return false;
  chosenTickWork();
  return true;
}

void MainLoop::trafficCycle() {
  traffic_.trafficCycle();
  if (parking_ != nullptr) parking_->cycle();
  if (cycleNumber().load() % kCyclesBetweenPositionReports == 0) sendUserPosition();
  if (window_ && cycleNumber().load() % kCyclesBetweenPictures == 0) publishPicture();
}

void MainLoop::tickStep() {
  if (notRunning_) {
    notRunning_ = false;
    writeLog(fmt::format("{} Flight resumed", utcTimeNow()));
    feeds_.queue.setAccepting(true);
  }
  messageLine().tick();
  repaintStatusArea();
  ++tickCounter_;
  traffic_.tick(tickCounter_);
  if (requestWork_) requestWork_->tick(tickCounter_);
}

void MainLoop::chosenTickWork() {
  if (tickCounter_ % 15 == 0) {
    feeds_.traffic.feed.setReferencePosition({simulator_.userPosition().lat, simulator_.userPosition().lon});
    if (realTrafficStatus().professional) feeds_.channel.sendSimTime(simulator_.simTime());
    if (requestWork_) requestWork_->fifteenthTick();
    if (parking_ != nullptr) parking_->periodicWork(tickCounter_);
    if (window_ && tickCounter_ % 30 == 0 && AUTO_RANGE.value()) applyAutomaticRadius();
    if (feeds_.weather.state == kFeedNoData || feeds_.traffic.state == kFeedNoData) feedStateCheck();
    if (tickCounter_ % kTicksPerDay == 0) tickCounter_ = 0;
    return;
  }
  if (parking_ != nullptr && tickCounter_ % 16 == 0) parking_->sixteenthTick();
  if (tickCounter_ % 59 == 0) feedStateCheck();
}

void MainLoop::notRunningStep() {
  if (!notRunning_) {
    feeds_.queue.setAccepting(false);
    notRunning_ = true;
    notRunningCountdown_ = 100;
    simulator_.discardOutgoing();
    writeLog(fmt::format("{} Flight not running", utcTimeNow()));
  }
  --notRunningCountdown_;
  if (notRunningCountdown_ % 100 == 0) sendUserPosition();
  if (notRunningCountdown_ <= 0) {
    notRunningCountdown_ = 100;
    repaintStatusArea();
  }
}

void MainLoop::feedStateCheck() {
  if (!realTrafficStatus().connected) return;
  judgeFeed(feeds_.weather.state, feeds_.weather.datagramCount, lastWeatherCount_);
  judgeFeed(feeds_.traffic.state, feeds_.traffic.datagramCount, lastTrafficCount_);
}

std::optional<ui::PictureUser> MainLoop::pictureUser() const {
  if (!simulator_.userPositionKnown()) return std::nullopt;
  const UserPosition position = simulator_.userPosition();
  const UserGround ground = simulator_.userGround();
  return ui::PictureUser{.lat = position.lat,
                         .lon = position.lon,
                         .altitudeFt = position.altitude,
                         .aboveGroundFt = ground.aboveGroundFt,
                         .headingDeg = position.trueHeading * kRadToDeg,
                         .groundSpeedKt = position.groundSpeed,
                         .onGround = ground.onGround.value_or(false)};
}

void MainLoop::publishPicture() {
  fillTrafficPicture(window_->picture.back(), window_->traffic, pictureUser(), trafficRadius().nm.load());
  fillParkingPicture(window_->picture.back(), parking_, window_->traffic);
  window_->picture.publish();
}

void MainLoop::applyAutomaticRadius() {
  std::optional<ui::RadiusUser> user;
  if (const auto shown = pictureUser()) user = ui::radiusUserOf(*shown);
  std::optional<LatLon> firstParkAirport;
  if (parking_ != nullptr && !parking_->state().parkAirports.empty()) {
    firstParkAirport = parking_->state().parkAirports.front().position();
  }
  ui::applyAutomaticRadius(user, firstParkAirport);
}

void MainLoop::sendUserPosition() { feeds_.channel.sendUserPosition(simulator_.userPosition(), nullptr); }

}  // namespace tfx::app

#include "sim/sim_session.h"

#include <fmt/format.h>

#include <chrono>

#include "core/log.h"
#include "core/message_line.h"
#include "core/window_surface.h"
#include "platform/thread_name.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "sim/registration.h"
#include "sim/session_dispatcher.h"

namespace tfx::sim {
namespace {

constexpr auto kOpenRetry = std::chrono::milliseconds(100);
constexpr auto kDispatchPeriod = std::chrono::milliseconds(1);
constexpr int32_t kFailureRestartSeconds = 9;

}  // namespace

SimSession::SimSession(ParkingLinks links) : core_(ops_, values_, exchange_, links) {}

SimSession::SimSession(simconnect::SimConnectConfig config, ParkingLinks links)
    : config_(std::move(config)), core_(ops_, values_, exchange_, links) {}

SimSession::~SimSession() { join(); }

void SimSession::prepareSession(int expectedMajorVersion) {
  exchange_.reserve();
  values_.paused = false;
  values_.expectedMajorVersion = expectedMajorVersion;
}

void SimSession::start() {
  join();
  threadRunning_ = true;
  thread_ = std::thread([this] { threadBody(); });
}

void SimSession::join() {
  if (thread_.joinable()) thread_.join();
}

bool SimSession::userPositionKnown() const {
  const UserState user = values_.received();
  return positionKnown(user.lat, user.lon);
}

void SimSession::threadBody() {
  platform::setCurrentThreadName("SimClient");
  try {
    connectAndServe();
  } catch (const UserErrorException& error) {
    showError(error.what());
    requestSessionExitForUserError();
  } catch (const std::exception& error) {
    writeLogError(fmt::format("{} exception {}", "SimClient", error.what()));
    requestSessionExit(ExitReason::SimConnectError, kFailureRestartSeconds);
  }
  leave();
  threadRunning_ = false;
}

void SimSession::connectAndServe() {
  opened_ = false;
  const simconnect::SimConnectConfig config = config_ ? *config_ : simconnect::loadSimConnectConfig();
  bool firstPass = true;
  while (!stopRequested()) {
    if (firstPass) {
      const std::string waiting = fmt::format("Waiting for Prepar3Dv{} ...", values_.expectedMajorVersion.load());
      values_.setSimulatorText(waiting);
      repaintStatusArea();
      writeLog(waiting);
      firstPass = false;
    }
    if (client_.open(kProductName, config, stopRequested) >= 0) {
      opened_ = true;
      break;
    }
    std::this_thread::sleep_for(kOpenRetry);
  }
  if (!opened_) return;

  registerSession(ops_);
  // The main loop asks for the user state only once it runs; the session
  // start needs the position before that.
  core_.requestUserState();
  SessionDispatcher dispatcher(core_);
  const simconnect::DispatchHandler handler = [&dispatcher](const simconnect::ServerMessage& m) { dispatcher(m); };
  while (!stopRequested()) {
    // A connection that broke without a Quit means the simulator is gone as well.
    if (client_.dispatch(handler) < 0) {
      core_.simulatorGone();
      break;
    }
    std::this_thread::sleep_for(kDispatchPeriod);
  }
}

void SimSession::leave() {
  core_.recheckUserStand();
  values_.connected = false;
  repaintStatusArea();
  // Nothing to close when the simulator never answered.
  if (!opened_) return;
  writeLog(client_.close() < 0 ? "Closing SimConnect failed?!" : "SimConnect closed ok");
}

}  // namespace tfx::sim

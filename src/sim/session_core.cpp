#include "sim/session_core.h"

#include <fmt/format.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "core/log.h"
#include "core/message_line.h"
#include "core/utc_time.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "sim/sim_ids.h"

namespace tfx::sim {
namespace {

namespace sc = simconnect;

constexpr int32_t kNewFlightRestartSeconds = 30;
constexpr int32_t kRequestErrorRestartSeconds = 9;
// The stand is only looked up for a user aircraft that stands (nearly) still.
constexpr double kStandStillKnots = 2.0;
constexpr int32_t kSlowScanCycles = 100;
constexpr int32_t kFastScanCycles = 20;
constexpr int32_t kUserStateCycles = 100;

NoStands noStands;
NoStaticParking noStaticParking;

}  // namespace

SessionCore::SessionCore(SimConnectOps& ops, SessionValues& values, ExchangeLists& exchange, ParkingLinks links)
    : ops_(ops),
      values_(values),
      exchange_(exchange),
      standLookup_(links.standLookup != nullptr ? *links.standLookup : noStands),
      staticParking_(links.staticParking != nullptr ? *links.staticParking : noStaticParking) {}

void SessionCore::restartForNewFlight() { requestSessionExit(ExitReason::NewFlight, kNewFlightRestartSeconds); }

void SessionCore::simulatorGone() {
  values_.flightRunning = false;
  writeLog(fmt::format("{} Flight Simulator no longer connected, {} will stop ...", utcTimeNow(), kProductName));
  requestSessionExit(ExitReason::SimWasClosed, 0);
}

void SessionCore::requestError() {
  showMessage("SimConnect request error");
  values_.paused = true;
  if (!stopRequested()) requestSessionExit(ExitReason::SimConnectError, kRequestErrorRestartSeconds);
}

UserStand SessionCore::standAt(const LatLon& position) const { return standLookup_.standAt(position); }

void SessionCore::recheckUserStand() {
  const std::optional<bool> onGround = values_.userOnGround();
  const UserState user = values_.received();
  if (!onGround.value_or(false) || user.groundSpeed > kStandStillKnots) return;
  const UserStand stand = standLookup_.standAt({user.lat, user.lon});
  if (stand.index != staticParking_.recordedUserStand()) staticParking_.userStandChanged(stand);
}

int32_t SessionCore::checked(int32_t result, std::string_view failureLine) {
  if (result < 0) {
    writeLogError(failureLine);
    requestError();
  }
  return result;
}

void SessionCore::periodicRequests(int32_t cycle, bool fastGroundScan, double scanRadiusMeters) {
  if (cycle % (fastGroundScan ? kFastScanCycles : kSlowScanCycles) == 0) {
    const auto radius = static_cast<uint32_t>(std::lround(std::max(0.0, scanRadiusMeters)));
    checked(
        ops_.requestDataOnSimObjectType(kReqAircraftAround, kDefAircraftAround, radius, sc::SimObjectType::Aircraft),
        "SimConnect request ac within range fails");
  }
  if (cycle % kUserStateCycles == 0) {
    requestUserState();
    values_.copyReceivedToSnapshot();
  }
}

int32_t SessionCore::requestUserState() {
  return checked(ops_.requestDataOnSimObject(kReqUserState, kDefUserState, sc::kObjectIdUser, sc::Period::Once),
                 "SimConnect request user ac position fails");
}

int32_t SessionCore::requestUserOnGroundEverySecond() {
  return checked(ops_.requestDataOnSimObject(kReqUserOnGround, kDefUserOnGround, sc::kObjectIdUser, sc::Period::Second),
                 "SimConnect request ac gnd/air fails");
}

int32_t SessionCore::requestUserTitleAndModel() {
  const int32_t title =
      checked(ops_.requestDataOnSimObject(kReqUserTitle, kDefUserTitle, sc::kObjectIdUser, sc::Period::Once),
              "SimConnect request user ac title fails");
  const int32_t model =
      checked(ops_.requestDataOnSimObject(kReqUserModel, kDefUserModel, sc::kObjectIdUser, sc::Period::Once),
              "SimConnect reques user ac model fails");
  return title < 0 ? title : model;
}

int32_t SessionCore::requestObjectShape(uint32_t objectId) {
  return checked(ops_.requestDataOnSimObject(kReqObjectShape, kDefObjectShape, objectId, sc::Period::Once),
                 "SimConnect request StaticCG fails");
}

int32_t SessionCore::allLightsToggle(uint32_t objectId) {
  int32_t result = 0;
  {
    std::lock_guard lock(exchange_.positionMutex());
    result = ops_.transmitClientEvent(objectId, kEvAllLightsToggle, 0);
  }
  return checked(result, "SimConnect gf_allLightsToggle fails");
}

int32_t SessionCore::assignFlightPlan(uint32_t objectId, std::string_view path) {
  return ops_.aiSetAircraftFlightPlan(objectId, path, kReqFlightPlan);
}

int32_t SessionCore::writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) {
  // Three little-endian doubles, as the definition lists them.
  static_assert(std::endian::native == std::endian::little);
  const std::array<double, 3> controls{spoilersPercent, throttlePercent, throttlePercent};
  std::array<uint8_t, sizeof(controls)> bytes;
  std::memcpy(bytes.data(), controls.data(), sizeof(controls));
  std::lock_guard lock(exchange_.positionMutex());
  return ops_.setDataOnSimObject(kDefAiControls, objectId, bytes);
}

}  // namespace tfx::sim

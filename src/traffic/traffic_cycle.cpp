#include "traffic/traffic_cycle.h"

#include <mutex>

#include "runstate/cycle_clock.h"
#include "traffic/collision_removal.h"
#include "traffic/decode_existing.h"
#include "traffic/identity_check.h"
#include "traffic/new_aircraft.h"
#include "traffic/notifications.h"
#include "traffic/object_queues.h"
#include "traffic/parked_learning.h"
#include "traffic/report_acceptance.h"
#include "traffic/static_replacement.h"
#include "traffic/update_pass.h"

namespace tfx {
namespace {
constexpr int kReportsPerCycle = 2;
constexpr int32_t kStarredStaticTicks = 61;
// Every 15th tick belongs to the periodic parking work; the 61st-tick check
// runs on the ticks that work leaves free.
constexpr int32_t kPeriodicWorkTicks = 15;
}  // namespace

void TrafficCycle::trafficCycle() {
  context_.state.reserve();
  handleNotifications(context_, notifications_);
  updatePass(context_);
  context_.simulator.exchange().publishPositions(context_.simulator.frameRate());
  const int32_t cycle = cycleNumber().load();
  paceCreatesAndRemovals(context_, cycle);
  {
    std::lock_guard lock(queue_.mutex);
    for (int taken = 0; taken < kReportsPerCycle && !queue_.reports.empty(); ++taken) {
      handleReport(queue_.reports.front());
      queue_.reports.pop_front();
    }
  }
  lf_handleAddingStack(context_);
  context_.simulator.periodicRequests(cycle, context_.state.fastGroundScan);
  cycleNumber().store(cycle + 1);
}

void TrafficCycle::tick(int32_t tickCounter) {
  removeNearUser(context_, context_.simulator.userSnapshot());
  clearStaticsForLive(context_);
  replaceStaticForCheckedLive(context_);
  learnParkedEachHalfHour(context_);
  if (tickCounter % kStarredStaticTicks == 0 && tickCounter % kPeriodicWorkTicks != 0) replaceStarredStatics(context_);
}

void TrafficCycle::handleReport(const TrafficReport& report) {
  TrafficState& state = context_.state;
  LiveAircraft* aircraft = state.findHexid(report.hexid);
  if (aircraft == nullptr) {
    if (!report.callsign.empty()) {
      for (const LiveAircraft& other : state.liveList)
        if (other.callsign == report.callsign && other.type == report.type) return;
    }
    makeAircraft(context_, report);
    return;
  }
  if (aircraft->state == SimState::LiveryRespawn || aircraft->state == SimState::RemovingFromSim) return;
  if (!aircraft->history.empty() && reportComesTooSoon(*aircraft, report)) return;
  if (aircraft->state == SimState::Buffer && inParkAirportBand(report.altitude)) return;
  if (!passesIdentityCheck(context_, *aircraft, report)) return;
  aircraft->lastTimestamp = report.timestamp;
  decodeExisting(context_, *aircraft, report);
}

}  // namespace tfx

#pragma once
// The live traffic of one session, owned by the main program thread: every
// live aircraft and the lists the traffic cycle keeps beside them.
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sim/exchange_lists.h"
#include "traffic/live_aircraft.h"
#include "traffic/static_record.h"

namespace tfx {

struct CreatedObject {
  uint32_t objectId = 0;
  uint32_t hexid = 0;
  int32_t counter = 0;  // main cycles since the simulator announced the object
};

class TrafficState {
 public:
  // In the order the records were made; found by linear search.
  std::vector<LiveAircraft> liveList;
  // Hexids of "adding2sim" records waiting for their create request; the newest is taken first.
  std::vector<uint32_t> addingStack;
  // Create requests built from the addingStack, oldest first, for the create pacing.
  std::deque<sim::CreateRequest> liveCreateQueue;
  // Objects created for live records, counting main cycles up to their activation.
  std::vector<CreatedObject> createdObjects;
  // Object ids whose removal was asked, oldest first, for the removal pacing.
  // A vector rather than a deque: it is short and served one id per tenth
  // cycle, and a deque would take and free a block as its ids pass through.
  std::vector<uint32_t> removalQueue;
  // Provisional callsigns removed because their real flight appeared; never spawned again.
  std::set<std::string, std::less<>> ghostList;
  // Keys (operator and type) for which livery matching found nothing.
  std::set<std::string, std::less<>> noLiveryKeys;
  // Static parked aircraft, in the order their creation was asked.
  std::vector<StaticRecord> staticRecords;
  // Create requests of static aircraft; served when no live create waits.
  std::deque<sim::CreateRequest> staticCreateQueue;
  // Hexids of spawned aircraft to compare with the static parked aircraft,
  // oldest first; a short vector for the same reason as removalQueue.
  std::vector<uint32_t> staticCheckList;
  // Livery titles the simulator could not create an aircraft with, in order of failure.
  std::vector<std::string> failedLiveries;
  // The livery each hexid was given, so that it comes back with the same one.
  std::unordered_map<uint32_t, std::string_view> rememberedLiveries;
  // Latitude and index of each active static record, sorted, for the tick's collision check.
  std::vector<std::pair<double, size_t>> staticsByLatitude;
  // The user aircraft's position at the previous tick's collision check.
  LatLon lastUserPosition;
  // A flare asked for the aircraft around to be scanned every 20 cycles rather than every 100.
  bool fastGroundScan = false;

  LiveAircraft* findHexid(uint32_t hexid);
  // The first record with the callsign whose state is not "removingfromsim".
  LiveAircraft* findPresentCallsign(std::string_view callsign);
  // Room for 512 records from the first cycle on.
  void reserve();
};

// The key of noLiveryKeys: operator and type as livery matching groups liveries.
std::string liveryKey(const LiveAircraft& aircraft);

}  // namespace tfx

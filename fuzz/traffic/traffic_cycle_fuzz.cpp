// Every input is a run of the traffic cycle: it is cut into lines, each line
// a gap (its first byte modulo 32, in cycles) and either a traffic datagram,
// which is decoded and queued as the reader would, or, after a '!', a
// simulator notification (kind, record, on-ground bytes and two numbers
// "A,B") about one of the records; the cycles run between them and for a
// while after the last. After every cycle the live traffic must keep its
// promises, or the run stops: among them every shown position finite, its
// heading in [0, 2 pi), longitude in [-180, 180) and latitude within 90 degrees.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>
#include <string_view>

#include <pugixml.hpp>

#include "aircraft/aircraft_database.h"
#include "airports/airport.h"
#include "core/parameters.h"
#include "fresh_traffic_state.h"
#include "realtraffic/traffic_decoder.h"
#include "realtraffic/traffic_fields.h"
#include "runstate/cycle_clock.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace {

using namespace tfx;

// Reports fall due this many cycles after they arrive (the program waits 3000),
// so that short inputs reach the spawns.
constexpr int32_t kFuzzDelayCycles = 100;
constexpr int kCyclesAfterLastLine = 150;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

class FuzzSimulator final : public CycleSimulator {
 public:
  sim::ExchangeLists& exchange() override { return lists; }
  double frameRate() const override { return 30.0; }
  LatLon userPosition() const override { return {47.4647, 8.5492}; }
  size_t waitingLiveCreates() override { return 0; }
  void periodicRequests(int32_t, bool) override {}
  void requestObjectShape(uint32_t) override {}
  void allLightsToggle(uint32_t) override {}
  int32_t assignFlightPlan(uint32_t, std::string_view) override { return 0; }
  void writeAiControls(uint32_t, double, double) override {}
  sim::ExchangeLists lists;
};

double field(std::string_view datagram, size_t index) {
  for (size_t i = 0; i < index; ++i) {
    const size_t comma = datagram.find(',');
    if (comma == std::string_view::npos) return 0.0;
    datagram.remove_prefix(comma + 1);
  }
  const std::string_view text = datagram.substr(0, datagram.find(','));
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool shownOnEarth(const sim::PositionBlock& block) {
  const double values[] = {block.lat, block.lon, block.pitch, block.bank, block.heading,
                           block.altitude, block.verticalSpeed, block.tas};
  for (double value : values)
    if (!std::isfinite(value)) return false;
  return block.heading >= 0.0 && block.heading < 2 * M_PI && block.lon >= -180.0 && block.lon < 180.0 &&
         block.lat >= -90.0 && block.lat <= 90.0;
}

void checkPromises(TrafficState& state) {
  static std::vector<uint32_t> hexids;
  hexids.clear();
  for (const LiveAircraft& aircraft : state.liveList) {
    hexids.push_back(aircraft.hexid);
    require(aircraft.history.size() <= 201);
    // The oldest point is the current target, whose due cycle the air step
    // re-times; a record leaving the simulator to come back puts the shown
    // place before it, so there the target is the second point.
    const size_t firstInOrder = aircraft.state == SimState::Active ? 2 : 3;
    for (size_t i = firstInOrder; i < aircraft.history.size(); ++i)
      require(aircraft.history[i].stamp > aircraft.history[i - 1].stamp);
    require(shownOnEarth(aircraft.block));
  }
  std::sort(hexids.begin(), hexids.end());
  require(std::adjacent_find(hexids.begin(), hexids.end()) == hexids.end());
  for (uint32_t hexid : state.addingStack) {
    const LiveAircraft* aircraft = state.findHexid(hexid);
    require(aircraft != nullptr && aircraft->state == SimState::Adding2Sim);
  }
}

// "!" kind record onGround A,B: a notification about the record chosen by the
// byte (its object id and hexid), or about unknown ids when there is none.
void postNotification(std::string_view line, TrafficState& state, sim::ExchangeLists& lists) {
  if (line.size() < 4) return;
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(line[i]); };
  sim::SimNotification notification;
  constexpr sim::NotificationKind kKinds[] = {sim::NotificationKind::LiveCreated, sim::NotificationKind::Removed,
                                              sim::NotificationKind::GroundData, sim::NotificationKind::Shape,
                                              sim::NotificationKind::CreateFailed};
  notification.kind = kKinds[byte(1) % std::size(kKinds)];
  notification.objectId = byte(2);
  notification.hexid = byte(2);
  if (!state.liveList.empty()) {
    const LiveAircraft& aircraft = state.liveList[byte(2) % state.liveList.size()];
    notification.hexid = aircraft.hexid;
    // A created object gets an id of its own; the others speak of the record's object.
    notification.objectId =
        notification.kind == sim::NotificationKind::LiveCreated ? 100 + byte(2) : aircraft.objectId;
  }
  if (notification.kind == sim::NotificationKind::GroundData) notification.hexid = byte(3) % 2;
  std::string_view numbers = line.substr(4);
  const size_t comma = numbers.find(',');
  notification.valueA = field(numbers.substr(0, comma), 0);
  notification.valueB = comma == std::string_view::npos ? 0.0 : field(numbers.substr(comma + 1), 0);
  lists.postNotification(notification);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pugi::xml_document document;
  document.load_file(TFX_SOURCE_DIR "/data/dbase.xml");
  aircraftDatabase().load(document);
  airports::parkAirport() = {"LSZH", "ZRH", 47.4647, 8.5492, 1416};
  RANGE.set(100);
  updateTrafficRadius();
  LOG.set(false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  TrafficState& state = freshTrafficState();
  FirstLinks first;
  FuzzSimulator simulator;
  TrafficQueue queue;
  queue.setAccepting(true);
  TrafficCycle cycle({state, first.links(), simulator}, queue);
  TrafficFeedState feed;
  feed.setParkAirport({47.4647, 8.5492});
  feed.setGroundElevation(1416.0);
  cycleNumber().store(0);

  const auto runCycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
      cycle.trafficCycle();
      checkPromises(state);
    }
  };
  while (!input.empty()) {
    const size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    if (line.empty()) continue;
    runCycles(static_cast<uint8_t>(line[0]) % 32);
    if (line.size() > 1 && line[1] == '!') {
      postNotification(line.substr(1), state, simulator.lists);
      continue;
    }
    const std::string_view datagram = line.substr(1);
    // The user flies with the traffic, so that every position passes the radius.
    feed.setReferencePosition({field(datagram, traffic_fields::kLat), field(datagram, traffic_fields::kLon)});
    if (auto report = decodeTrafficDatagram(datagram, feed)) {
      report->stamp = cycleNumber().load() + kFuzzDelayCycles;
      std::lock_guard lock(queue.mutex);
      queue.reports.push_back(std::move(*report));
    }
  }
  runCycles(kCyclesAfterLastLine);
  return 0;
}

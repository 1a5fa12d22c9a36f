// Every input is a run of four live aircraft on the ground around eight
// stands of an apron at Zurich, through the traffic cycle and the simulator
// stand-in in the same process. The input is cut into records of five bytes:
// the aircraft and the gap before the report (byte 0, in 5 cycles), the stand it is
// reported near (byte 1), its offset from that stand in half metres east and
// north (bytes 2 and 3), and its speed and track (byte 4). After every cycle
// the ground traffic must keep its promises, or the run stops: every shown
// position finite with its heading in [0, 2 pi), a parked aircraft within
// 2 m of its stand, and never two live aircraft parked on one stand.
#include <pugixml.hpp>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "aircraft/aircraft_database.h"
#include "airports/airport.h"
#include "airports/stand_geometry.h"
#include "core/parameters.h"
#include "fresh_traffic_state.h"
#include "lab_simulator.h"
#include "runstate/cycle_clock.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace {

using namespace tfx;

constexpr LatLon kApron{47.4530, 8.5620};
constexpr double kElevationFt = 1416.0;
constexpr size_t kRecordBytes = 5;
constexpr int32_t kReportDelayCycles = 1500;
constexpr int kCyclesAfterLastRecord = 2000;
// Inputs are cut to this many reports, each at most 315 cycles after the one
// before, so that a run stays short enough for many runs.
constexpr size_t kMostRecords = 40;
constexpr int kGapCycles = 5;
constexpr double kParkedReachNm = 0.0010799136069114472;  // 2 m
constexpr std::array<std::string_view, 4> kTypes{"A320", "B738", "B744", "C172"};

void require(bool promise) {
  if (!promise) __builtin_trap();
}

class FuzzParking final : public ParkingAccess {
 public:
  FuzzParking() {
    auto& stands = parking.stands.parkStands;
    // Two rows of four nose-in stands 40 m apart, whose circles overlap their neighbours'.
    for (int i = 0; i < 8; ++i) {
      airports::Stand& stand = stands.emplace_back();
      stand.index = i + 1;
      stand.id = "F" + std::to_string(i + 1);
      const LatLon row = gf_destinationPoint(kApron, 0.0, i < 4 ? 0.0 : 400.0);
      const LatLon at = gf_destinationPoint(row, M_PI / 2.0, 131.0 * (i % 4));
      stand.lat = at.lat;
      stand.lon = at.lon;
      stand.heading = i < 4 ? M_PI : 0.0;
      stand.radius = 22.0 / kMetersPerNm;
    }
    airports::buildOverlapTable(stands);
    parking.stands.standsLoaded = true;
  }
  ParkingView view() override { return {&parking, {3, 20}}; }

  airports::ParkingState parking;
};

void checkPromises(const TrafficState& state) {
  std::set<uint32_t> parkedOn;
  for (const LiveAircraft& aircraft : state.liveList) {
    const sim::PositionBlock& block = aircraft.block;
    require(std::isfinite(block.lat) && std::isfinite(block.lon) && std::isfinite(block.altitude));
    require(block.heading >= 0.0 && block.heading < 2 * M_PI);
    if (aircraft.state != SimState::Active || aircraft.phase != FlightPhase::Parked) continue;
    require(gf_distanceNm({block.lat, block.lon}, aircraft.standPosition) <= kParkedReachNm);
    require(parkedOn.insert(aircraft.standId).second);
  }
}

TrafficReport reportOf(std::string_view record, const airports::ParkingState& parking) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(record[i]); };
  const uint32_t index = byte(0) % 4;
  const airports::Stand& stand = parking.stands.parkStands[byte(1) % parking.stands.parkStands.size()];
  const double feetPerHalfMetre = 0.5 / 0.3048;
  LatLon at = gf_destinationPoint(stand.position(), M_PI / 2.0, (byte(2) - 128) * feetPerHalfMetre);
  at = gf_destinationPoint(at, 0.0, (byte(3) - 128) * feetPerHalfMetre);
  TrafficReport report;
  report.hexid = 0x4b1000 + index;
  report.callsign = "TST" + std::to_string(index);
  report.type = std::string(kTypes[index]);
  report.lat = at.lat;
  report.lon = at.lon;
  report.groundSpeed = byte(4) % 16;
  report.tas = report.groundSpeed;
  report.track = (byte(4) / 16) * 22.5;
  report.timestamp = cycleNumber().load() / 100.0;
  report.stamp = cycleNumber().load() + kReportDelayCycles;
  return report;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pugi::xml_document document;
  document.load_file(TFX_SOURCE_DIR "/data/dbase.xml");
  aircraftDatabase().load(document);
  airports::parkAirport() = {"LSZH", "ZRH", 47.4647, 8.5492, kElevationFt};
  COLLISION_LIVE_PARKED_GND.set(true);
  LOG.set(false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  cycleNumber().store(0);
  lab::LabSimulator simulator(
      {47.4700, 8.5300, kElevationFt, 0.0, kElevationFt, 2.0, {std::string(kDefaultLiveryTitle)}, {}});
  simulator.connect();
  TrafficState& state = freshTrafficState();
  FirstLinks first;
  FuzzParking parking;
  TrafficQueue queue;
  queue.setAccepting(true);
  TrafficCycle cycle({state, {first.livery, parking, first.userHold, first.motion, first.observer}, simulator}, queue);

  const auto runCycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
      const int32_t n = cycleNumber().load();
      simulator.runFramesUntil(n / 100.0, [](double, const simstandin::World&) {});
      cycle.trafficCycle();
      if ((n + 1) % 100 == 0) cycle.tick((n + 1) / 100);
      checkPromises(state);
    }
  };
  input = input.substr(0, kMostRecords * kRecordBytes);
  while (input.size() >= kRecordBytes) {
    const std::string_view record = input.substr(0, kRecordBytes);
    input.remove_prefix(kRecordBytes);
    runCycles((static_cast<uint8_t>(record[0]) >> 2) * kGapCycles);
    std::lock_guard lock(queue.mutex);
    queue.reports.push_back(reportOf(record, parking.parking));
  }
  runCycles(kCyclesAfterLastRecord);
  return 0;
}

// The live aircraft record: printed names, text forms, its track history, and
// the update pass that keeps the order of the records it keeps.
#include <stdexcept>

#include "core/log.h"
#include "traffic/track_history.h"
#include "traffic/update_pass.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

TEST(PrintedNames, EveryValueHasItsNameAndAnUnknownOneFails) {
  EXPECT_EQ(simStateName(SimState::Buffer), "buffer");
  EXPECT_EQ(simStateName(SimState::RemovingFromSim), "removingfromsim");
  EXPECT_EQ(flightPhaseName(FlightPhase::PushingBack), "pushing_back");
  EXPECT_EQ(flightPhaseName(FlightPhase::Birth), "birth");
  EXPECT_EQ(aircraftCategoryName(1), "Buzjets");
  EXPECT_EQ(aircraftCategoryName(5), "Rotorcraft");
  try {
    simStateName(static_cast<SimState>(5));
    FAIL() << "no name for 5";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "invalid unordered_map<K, T> key");
  }
  EXPECT_THROW(flightPhaseName(static_cast<FlightPhase>(8)), std::out_of_range);
  EXPECT_THROW(aircraftCategoryName(6), std::out_of_range);
}

TEST(TextForms, ModelTagRouteNameAndLongName) {
  LiveAircraft a;
  a.airline = "SWR";
  a.type = "A20N";
  a.callsign = "SWR12";
  a.registration = "HB-JDA";
  EXPECT_EQ(routeText(a), "        ");
  EXPECT_EQ(aircraftName(a), "SWR12    HB-JDA           ");
  a.origin = "LSZH";
  a.destination = "EGLL";
  EXPECT_EQ(routeText(a), "LSZH->EGLL");
  a.origin = "";
  a.airline = "U2";
  a.type = "C5";
  EXPECT_EQ(modelTag(a), "U2  C5  ");
  EXPECT_EQ(longName(a), "SWR12    HB-JDA      ->EGLL U2  C5  ");
}

TEST(Callsigns, ValidityAndProvisionalMark) {
  EXPECT_TRUE(isValidCallsign("SWR12345"));
  EXPECT_FALSE(isValidCallsign("SWR123456"));
  EXPECT_FALSE(isValidCallsign("@@@@@@@@"));
  EXPECT_FALSE(isValidCallsign(""));
  EXPECT_TRUE(isProvisionalCallsign("TST200_"));
  EXPECT_FALSE(isProvisionalCallsign("TST200"));
  EXPECT_FALSE(isLiveHexid(10000));
  EXPECT_TRUE(isLiveHexid(10001));
}

TEST(TrackHistoryRing, KeepsOrderAcrossWrapsAndGrowth) {
  TrackHistory history;
  int next = 0;
  int oldest = 0;
  for (int round = 0; round < 50; ++round) {
    for (int i = 0; i < 3; ++i) {
      TrackPoint point;
      point.stamp = next++;
      history.push_back(point);
    }
    history.pop_front();
    ++oldest;
  }
  ASSERT_EQ(history.size(), 100u);
  for (size_t i = 0; i < history.size(); ++i) EXPECT_EQ(history[i].stamp, oldest + static_cast<int>(i));
  EXPECT_EQ(history.capacity(), 128u);
  TrackHistory copy = history;
  history.truncate(1);
  EXPECT_EQ(history.back().stamp, oldest);
  EXPECT_EQ(copy.back().stamp, next - 1);
}

TEST(TrackHistoryRing, SixtyPointsTakeTheRoomOfSixtyFour) {
  TrackHistory history;
  for (int i = 0; i < 60; ++i) history.push_back(TrackPoint{});
  EXPECT_EQ(history.capacity(), 64u);
  EXPECT_LE(sizeof(LiveAircraft) + history.capacity() * sizeof(TrackPoint), 8192u);
}

class UpdatePass : public TrafficFixture {};

TEST_F(UpdatePass, ErasingKeepsTheOrderOfTheOthers) {
  for (uint32_t hexid = 4500001; hexid <= 4500006; ++hexid) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = hexid;
    a.state = SimState::Adding2Sim;
  }
  aircraft(4500002).drop = true;
  aircraft(4500005).cancelled = true;
  updatePass(context);
  std::vector<uint32_t> kept;
  for (const LiveAircraft& a : state.liveList) kept.push_back(a.hexid);
  EXPECT_EQ(kept, (std::vector<uint32_t>{4500001, 4500003, 4500004, 4500006}));
  EXPECT_EQ(observer.events, (std::vector<std::string>{"4500002 erase dropped", "4500005 erase cancelled"}));
}

TEST_F(UpdatePass, AFailureIsLoggedWithTheAircraftAndDropsIt) {
  LiveAircraft& a = state.liveList.emplace_back();
  a.hexid = 4500010;
  a.callsign = "SWR1";
  a.registration = "HB-JLT";
  a.history.push_back(TrackPoint{});
  a.state = static_cast<SimState>(9);
  LogCapture log;
  updatePass(context);
  EXPECT_TRUE(log.contains(
      "updateLiveAc: SWR1     HB-JLT            invalid unordered_map<K, T> key, sz:1, fs:7, st:9"));
  EXPECT_TRUE(state.liveList.empty());
}

TEST_F(UpdatePass, AnActiveAircraftSendsItsPositionOrGoesWithoutObject) {
  LiveAircraft& a = state.liveList.emplace_back();
  a.hexid = 4500020;
  a.state = SimState::Active;
  a.objectId = 301;
  TrackPoint point;
  point.lat = 47.1;
  point.lon = 8.1;
  point.verticalSpeed = 600;
  point.altitude = 5000;
  point.airborne = true;
  point.stamp = 0;
  a.history.push_back(point);
  a.block.lat = point.lat;
  a.block.lon = point.lon;
  LiveAircraft& b = state.liveList.emplace_back();
  b.hexid = 4500021;
  b.state = SimState::Active;
  b.history.push_back(point);
  LogCapture log;
  cycle.trafficCycle();
  EXPECT_NEAR(aircraft(4500020).block.lat, 47.1, 1e-6);
  EXPECT_EQ(aircraft(4500020).block.verticalSpeed, 10.0);
  std::lock_guard lock(simulator.lists.positionMutex());
  ASSERT_EQ(simulator.lists.outgoing.size(), 1u);
  EXPECT_EQ(simulator.lists.outgoing[0].objectId, 301u);
  EXPECT_TRUE(log.contains("updateLiveAc objectid=0? hexid: 4500021"));
  EXPECT_EQ(aircraft(4500021).state, SimState::RemovingFromSim);
}

TEST_F(UpdatePass, TheCycleEndsWithThePeriodicRequestsAndTheNextCycleNumber) {
  cycleNumber().store(41);
  cycle.trafficCycle();
  EXPECT_EQ(simulator.lastRequestCycle, 41);
  EXPECT_EQ(cycleNumber().load(), 42);
}

TEST_F(UpdatePass, AtMostTwoReportsAreTakenPerCycle) {
  for (uint32_t hexid = 4500030; hexid < 4500035; ++hexid) queue.offer(report(hexid, 1000, 0, 47 + hexid % 10));
  cycle.trafficCycle();
  EXPECT_EQ(state.liveList.size(), 2u);
  EXPECT_EQ(queue.reports.size(), 3u);
}

}  // namespace
}  // namespace tfx::test

// Static parked aircraft making way for their live selves: the same
// registration, the same flight, or the flight the same aircraft flies around
// this time by the stands' use; one a tick from the static-check list, and the
// starred callsigns every 61st tick.
#include "core/log.h"
#include "core/parameters.h"
#include "ground_fixture.h"
#include "traffic/static_replacement.h"

namespace tfx::test {
namespace {

class StaticReplacement : public GroundFixture {
 protected:
  StaticReplacement() {
    LOG.set(true);
    airports::Stand& stand = addStand(kApron);
    airports::StandOption& turn = stand.options.emplace_back();
    turn.callsign = "SWR10";
    turn.callsignNote = "SWR11";
    turn.day = 3;
    turn.halfHours.set(20);
  }

  StaticRecord& staticAircraft(uint32_t hexid, std::string callsign, std::string note, std::string registration,
                               bool active = true) {
    StaticRecord& record = state.staticRecords.emplace_back();
    record.aircraft.hexid = hexid;
    record.aircraft.standIndex = 1;
    record.aircraft.type = "A320";
    record.aircraft.callsign = std::move(callsign);
    record.aircraft.callsignNote = std::move(note);
    record.aircraft.registration = std::move(registration);
    record.objectId = 500 + hexid;
    record.active = active;
    return record;
  }

  LiveAircraft& checked(uint32_t hexid, std::string callsign, std::string registration = {}) {
    LiveAircraft& a = taxiing(hexid, {groundPoint(kApron, 0), groundPoint(kApron, 100)});
    a.callsign = std::move(callsign);
    a.registration = std::move(registration);
    state.staticCheckList.push_back(hexid);
    return a;
  }

  void nextTick(int32_t tickCounter) { groundCycle.tick(tickCounter); }
};

TEST_F(StaticReplacement, TheCoupledFlightIsTheOtherHalfOfATurnAroundThisHalfHourOfThisDay) {
  const auto& stands = parking.parking.stands.parkStands;
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 20}, "SWR10"), "SWR11");
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 21}, "SWR11"), "SWR10");
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 19}, "SWR10"), "SWR11");
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 22}, "SWR10"), "") << "an hour later is another turn";
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {4, 20}, "SWR10"), "") << "another day";
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 20}, "SWR12"), "");
  EXPECT_EQ(lf_searchForCoupledCsAroundThisTime(stands, {3, 20}, ""), "");
}

TEST_F(StaticReplacement, OneCheckedAircraftATickRemovesTheFirstActiveStaticThatIsItsAircraftOrFlight) {
  staticAircraft(1, "EDW1", "", "HB-JXA", false);  // being created: not yet standing there
  staticAircraft(2, "EDW1", "", "HB-JXA");
  staticAircraft(3, "SWR11", "", "HB-IJB");
  staticAircraft(4, "SWR99", "", "HB-IJC");
  LiveAircraft& edelweiss = checked(0x4b0001, "EDW2", "HB-JXA");
  LiveAircraft& ghost = checked(0x4b0002, "SWR10_");
  LogCapture log;

  nextTick(1);
  EXPECT_TRUE(state.staticRecords[1].removing) << "same registration";
  EXPECT_FALSE(state.staticRecords[2].removing) << "one aircraft a tick";
  EXPECT_TRUE(log.contains("S1      : EDW1     A320 removed, new on ground 'EDW2' has same regcode HB-JXA"));
  EXPECT_TRUE(edelweiss.coupledChecked);

  nextTick(2);
  // The ghost flies SWR10, whose aircraft turns into SWR11 this half-hour.
  EXPECT_EQ(ghost.coupledCallsign, "SWR11");
  EXPECT_TRUE(state.staticRecords[2].removing);
  EXPECT_FALSE(state.staticRecords[3].removing);
  EXPECT_TRUE(log.contains("S1      : A320     'SWR11 ' removed, new on ground A320 'SWR10_' 'SWR11' has coupled callsign"));
  EXPECT_TRUE(state.staticCheckList.empty());
  nextTick(3);
  EXPECT_FALSE(state.staticRecords[3].removing);
}

TEST_F(StaticReplacement, TheCoupledSearchRunsOnceAndAStaticWhoseNoteIsTheFlightGoesToo) {
  staticAircraft(1, "SWR9", "SWR10", "");
  LiveAircraft& live = checked(0x4b0003, "SWR10");
  live.coupledChecked = true;  // searched before, found nothing
  nextTick(1);
  EXPECT_EQ(live.coupledCallsign, "");
  EXPECT_TRUE(state.staticRecords[0].removing);
}

TEST_F(StaticReplacement, StarredCallsignsAndRegistrationsGoEvery61stTickButNotOnTheTicksOfThePeriodicWork) {
  LiveAircraft& live = taxiing(0x4b0004, {groundPoint(kApron, 0), groundPoint(kApron, 100)});
  live.callsign = "SWR12";
  live.registration = "HB-JLQ";
  staticAircraft(1, "SWR12*", "", "");
  staticAircraft(2, "SWR123*", "", "");
  staticAircraft(3, "SWR7", "", "HB-JLQ");
  nextTick(915);  // 15 x 61
  EXPECT_FALSE(state.staticRecords[0].removing);
  nextTick(60);
  EXPECT_FALSE(state.staticRecords[0].removing);
  nextTick(61);
  EXPECT_TRUE(state.staticRecords[0].removing);
  EXPECT_FALSE(state.staticRecords[1].removing) << "another flight";
  EXPECT_FALSE(state.staticRecords[2].removing) << "one a round for each live aircraft";
  nextTick(122);
  EXPECT_TRUE(state.staticRecords[2].removing);
  live.onGroundConfirmed = false;
  staticAircraft(4, "SWR12*", "", "");
  nextTick(183);
  EXPECT_FALSE(state.staticRecords[3].removing) << "airborne";
}

}  // namespace
}  // namespace tfx::test

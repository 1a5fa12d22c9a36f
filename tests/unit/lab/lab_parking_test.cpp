// The lab's watch on static parking: whether a static aircraft's stand holds
// an option for it at the half-hour it was chosen for, and the events it
// writes for the park airport and for static aircraft.
#include "lab_parking.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/parameters.h"
#include "runstate/cycle_clock.h"
#include "test_support.h"

namespace tfx::lab {
namespace {

class StandOptionTest : public ::testing::Test {
 protected:
  StandOptionTest() {
    test::resetProgramState();
    airports::StandOption option;
    option.airline = "SWR";
    option.type = "A320";
    option.registration = "HB-IJD";
    option.callsign = "LX1027";
    option.day = 1;
    option.halfHours.set(46);
    stand.options.push_back(option);
    aircraft.airline = "SWR";
    aircraft.type = "A320";
    aircraft.registration = "HB-IJD";
    aircraft.callsign = "LX1027";
  }

  airports::Stand stand;
  airports::ParkedAircraft aircraft;
};

TEST_F(StandOptionTest, TheOptionMustHoldTheHalfHourWithinTheFitForTheSameAircraft) {
  EXPECT_TRUE(standHasOptionFor(stand, aircraft, {1, 46}));
  EXPECT_TRUE(standHasOptionFor(stand, aircraft, {2, 1})) << "Tuesday 00:30 shifted back three half-hours";
  MAX_FIT.set(2);
  EXPECT_FALSE(standHasOptionFor(stand, aircraft, {2, 1})) << "beyond the largest fit";
  EXPECT_FALSE(standHasOptionFor(stand, aircraft, {1, 45})) << "the option is later than the half-hour";
  EXPECT_FALSE(standHasOptionFor(stand, aircraft, {3, 46})) << "another day";
  WEEK.set(true);
  EXPECT_TRUE(standHasOptionFor(stand, aircraft, {3, 46})) << "any day with WEEK";
  for (std::string airports::ParkedAircraft::*field :
       {&airports::ParkedAircraft::airline, &airports::ParkedAircraft::type, &airports::ParkedAircraft::registration,
        &airports::ParkedAircraft::callsign, &airports::ParkedAircraft::callsignNote}) {
    airports::ParkedAircraft other = aircraft;
    other.*field = "X";
    EXPECT_FALSE(standHasOptionFor(stand, other, {1, 46})) << "another aircraft";
  }
}

TEST(LabParkingEvents, AirportEventsHaveNoHexidAndStaticAircraftTellTheirStand) {
  cycleNumber().store(0);
  std::ostringstream out;
  EventWriter events(out);
  events.parkAirport("LSZH", 39, "airports/my_thirdparty/LSZH.xml");
  events.parkAirport(std::nullopt, 0, {});
  events.staticParking({4, 40}, {.wanted = 12, .percentage = 30, .realFit = 3, .softFit = -1, .softUsed = false, .found = 6});
  StaticRecord record;
  record.aircraft = {.hexid = 7,
                     .standIndex = 2,
                     .position = {},
                     .halfWingspanNm = 0.0,
                     .airline = "SWR",
                     .type = "A320",
                     .callsign = "LX1027",
                     .callsignNote = "",
                     .registration = "HB-IJD"};
  events.staticCreated(record, "E_19");
  events.staticRemoved(7, "renewal");
  EXPECT_EQ(out.str(),
            R"({"t_s":0.0,"hexid":null,"what":"park_airport","details":{"code":"LSZH","stands":39,)"
            R"("file":"airports/my_thirdparty/LSZH.xml"}})"
            "\n"
            R"({"t_s":0.0,"hexid":null,"what":"park_airport","details":{"code":null,"stands":0,"file":""}})"
            "\n"
            R"({"t_s":0.0,"hexid":null,"what":"static_parking","details":{"day":4,"half_hour":40,"wanted":12,)"
            R"("found":6,"real_fit":3,"soft_fit":-1}})"
            "\n"
            R"({"t_s":0.0,"hexid":7,"what":"create","details":{"stand":"E_19","airline":"SWR","type":"A320",)"
            R"("callsign":"LX1027","registration":"HB-IJD"}})"
            "\n"
            R"({"t_s":0.0,"hexid":7,"what":"remove","details":{"reason":"renewal","state":"static"}})"
            "\n");
}

}  // namespace
}  // namespace tfx::lab

// The park airport work as the main loop drives it, cycle by cycle and tick
// by tick: start-up, choice, the reader's ground filter, static creates,
// renewal, the user's move to another stand and the close-down.
#include "app/park_airport_work.h"

#include <gtest/gtest.h>

#include "airports/airport.h"
#include "app/parking_picture_fill.h"
#include "app/window_request_work.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "sim/sim_ids.h"
#include "static_parking_fixture.h"
#include "traffic/first_links.h"
#include "ui/window_commands.h"

namespace tfx::app {
namespace {

constexpr LatLon kE67{47.458056, 8.548056};
constexpr LatLon kE68{47.458956, 8.548056};
const auto kNow = test::timeAt(3, 20);
const airports::ParkedAircraft kStaticOnE68{.hexid = 1,
                                            .standIndex = 2,
                                            .position = kE68,
                                            .halfWingspanNm = 0.01,
                                            .airline = "KLM",
                                            .type = "B738",
                                            .callsign = "KLM1",
                                            .callsignNote = {},
                                            .registration = "PH-BXA"};

airports::AirportDatabase zurichDatabase() {
  return {{.code = "EHAM", .iata = "AMS", .lat = 52.308, .lon = 4.764, .alt = -11},
          {.code = "LSZH", .iata = "ZRH", .lat = kE67.lat, .lon = kE67.lon, .alt = 1417}};
}

// Two stands 100 m apart, each with one aircraft on Wednesday 10:00; the
// stands lie at 1402 ft, the database says 1417 ft.
std::string zurichStands() {
  return test::standFileXml(test::parameterXml("airport_name", "Zurich") + test::parameterXml("publisher", "stock") +
                                test::parameterXml("altitude", "1402"),
                            R"(<parkpos id="E_67" latitude="47.458056" longitude="8.548056" heading="90" radius="20">)"
                            R"(<opt cs="SWR1" airl="SWR" type="B738" reg="HB-JVA" day="3" hh="20"/></parkpos>)"
                            R"(<parkpos id="E_68" latitude="47.458956" longitude="8.548056" heading="450" radius="20">)"
                            R"(<opt cs="KLM1" airl="KLM" type="B738" reg="PH-BXA" day="3" hh="20"/></parkpos>)");
}

class ParkAirportWorkTest : public ::testing::Test, public test::ParkFixture {
 protected:
  ParkAirportWorkTest() {
    airports::parkAirport() = {};
    CUSTOM_PARKING_PERCENTAGE.set(100);
    work.state().site = "http://127.0.0.1:9/";
    test::writeFile(paths::myThirdparty / "LSZH.xml", zurichStands());
  }
  ~ParkAirportWorkTest() override { airports::parkAirport() = {}; }

  void standAt(const LatLon& position) { user = {.position = position, .onGround = true, .heightAboveGroundFt = 0.0}; }
  // Chooses LSZH with the user on E_67 and computes its static parking.
  void atZurich() {
    ASSERT_TRUE(work.startUp());
    standAt(kE67);
    work.cycle();
    work.cycle();
    ASSERT_EQ(airports::parkAirport().code, "LSZH");
  }

  airports::AirportDatabase database = zurichDatabase();
  TrafficState live;
  TrafficFeedState feed;
  UserStandLink userStand;
  DefaultLivery livery;
  ParkAirportWork work{database,  traffic, live, livery, feed,
                       userStand, {.user = [this] { return user; }, .clock = [] { return kNow; }}};
};

TEST_F(ParkAirportWorkTest, StartUpPutsAKnownDestinationFirst) {
  test::writeFile(paths::myParkAirports, "EHAM\n");
  DESTINATION.set("LSZH");
  ASSERT_TRUE(work.startUp());
  ASSERT_EQ(work.state().parkAirports.size(), 2u);
  EXPECT_EQ(work.state().parkAirports.front().code, "LSZH");

  airports::ParkAirportList list = work.state().parkAirports;
  EXPECT_TRUE(putDestinationFirst(list, database, "EHAM"));
  EXPECT_EQ(list.front().code, "EHAM");
  EXPECT_EQ(list.size(), 2u) << "a listed destination moves, it is not added again";
  EXPECT_FALSE(putDestinationFirst(list, database, "KJFK"));
  EXPECT_FALSE(putDestinationFirst(list, database, ""));
  EXPECT_EQ(list.front().code, "EHAM");
  DESTINATION.set("");
}

TEST_F(ParkAirportWorkTest, TheReaderFiltersAroundTheParkAirportWhileItIsSet) {
  atZurich();
  ASSERT_TRUE(feed.parkAirport().has_value());
  EXPECT_DOUBLE_EQ(feed.parkAirport()->lat, kE67.lat);
  EXPECT_EQ(feed.groundElevation(), 1402.0) << "the stands' elevation once they are read";
  EXPECT_EQ(userStand.standAt(kE67).name, "E_67");
  EXPECT_EQ(userStand.recordedUserStand(), 1u);
  EXPECT_EQ(userStand.standAt({kE67.lat, kE67.lon + 0.01}).index, 0u);

  user = {.position = {kE67.lat + 1.0, kE67.lon}, .onGround = false, .heightAboveGroundFt = 5000.0};
  work.cycle();
  EXPECT_FALSE(airports::parkAirportIsSet());
  EXPECT_FALSE(feed.parkAirport().has_value());
  EXPECT_FALSE(feed.groundElevation().has_value());
  EXPECT_EQ(userStand.standAt(kE67).index, 0u) << "no stands without a park airport";
}

TEST_F(ParkAirportWorkTest, OneStaticCreateWaitsAtATimeOnItsStand) {
  atZurich();
  ASSERT_EQ(live.staticCreateQueue.size(), 1u) << "E_67 is the user's; KLM1 goes to E_68";
  const sim::CreateRequest& request = live.staticCreateQueue.front();
  EXPECT_EQ(request.hexid, 1u);
  EXPECT_EQ(request.callsign, "PH-BXA");
  EXPECT_EQ(request.onGround, 1u);
  EXPECT_DOUBLE_EQ(request.lat, kE68.lat);
  EXPECT_DOUBLE_EQ(request.heading, 90.0) << "450 degrees is one turn and 90";
  EXPECT_DOUBLE_EQ(request.altitude, 1402.0);
  ASSERT_EQ(live.staticRecords.size(), 1u);
  EXPECT_EQ(live.staticRecords[0].aircraft.standIndex, 2);
  work.cycle();
  EXPECT_EQ(live.staticCreateQueue.size(), 1u);
}

TEST_F(ParkAirportWorkTest, RenewalAskedEveryTwentyMinutesAndStepped) {
  atZurich();
  work.periodicWork(60);
  EXPECT_EQ(work.minutesToRenewal(), 19) << "10:20 less the minute of 10:01";
  EXPECT_FALSE(work.state().statics.renewalPending);
  work.periodicWork(1200);
  EXPECT_TRUE(work.state().statics.renewalPending);
  work.periodicWork(1215);
  EXPECT_TRUE(work.state().statics.renewalFlushed);
  work.periodicWork(1230);
  EXPECT_FALSE(work.state().statics.renewalPending);
}

TEST_F(ParkAirportWorkTest, AMoveToAnotherStandRecomputesOnASixteenthTickButNotDuringARenewal) {
  atZurich();
  live.staticCreateQueue.clear();
  standAt(kE68);
  userStand.userStandChanged(userStand.standAt(kE68));
  work.periodicWork(1200);
  work.sixteenthTick();
  EXPECT_EQ(work.state().statics.reservedStand, "E_67") << "waits while the renewal runs";
  work.periodicWork(1215);
  work.periodicWork(1230);
  work.sixteenthTick();
  EXPECT_EQ(work.state().statics.reservedStand, "E_68");
  EXPECT_EQ(userStand.recordedUserStand(), 2u);
  ASSERT_EQ(work.state().statics.staticList.size(), 1u);
  EXPECT_EQ(work.state().statics.staticList[0].callsign, "SWR1");
  work.sixteenthTick();
  EXPECT_EQ(work.state().statics.staticList.size(), 1u) << "a request is taken once";
}

TEST_F(ParkAirportWorkTest, CloseDownRemovesTheParkedAircraftAndClearsTheFilter) {
  atZurich();
  traffic.placedStatic.push_back(kStaticOnE68);
  work.closeDown();
  ASSERT_EQ(traffic.removed.size(), 1u);
  EXPECT_EQ(traffic.removed[0].second, airports::ParkedRemoval::OutOfSight);
  EXPECT_FALSE(airports::parkAirportIsSet());
  EXPECT_FALSE(feed.parkAirport().has_value());
  work.closeDown();
  EXPECT_EQ(traffic.removed.size(), 1u) << "nothing more to remove";
}

TEST_F(ParkAirportWorkTest, AFlushRemovesEveryStaticAircraftAndStopsTheRenewal) {
  atZurich();
  traffic.placedStatic.push_back(kStaticOnE68);
  work.periodicWork(1200);
  ASSERT_TRUE(work.state().statics.renewalPending);
  work.flushStatic();
  ASSERT_EQ(traffic.removed.size(), 1u);
  EXPECT_EQ(traffic.removed[0].first, 1u);
  EXPECT_TRUE(work.state().statics.staticList.empty());
  EXPECT_FALSE(work.state().statics.inProgress);
  EXPECT_FALSE(work.state().statics.renewalPending) << "a renewal would bring them back";
  EXPECT_TRUE(work.parkingControlsEnabled());
  EXPECT_TRUE(airports::parkAirportIsSet()) << "the park airport and its stands stay";
}

TEST_F(ParkAirportWorkTest, ADestinationGoesFirstAndAnEmptiedOneLetsTheListSortByDistanceAgain) {
  test::writeFile(paths::myParkAirports, "EHAM\n");
  ASSERT_TRUE(work.startUp());
  // High above Zurich: nothing is chosen, the list is sorted.
  user = {.position = {kE67.lat, kE67.lon + 0.5}, .onGround = false, .heightAboveGroundFt = 30000.0};
  work.cycle();
  ASSERT_EQ(work.state().parkAirports.front().code, "LSZH");

  DESTINATION.set("EHAM");
  work.followDestination();
  EXPECT_EQ(work.state().parkAirports.front().code, "EHAM");
  user.position.lon += 0.1;
  work.cycle();
  EXPECT_EQ(work.state().parkAirports.front().code, "EHAM") << "a destination keeps its place while the user moves";

  DESTINATION.set("");
  work.followDestination();
  work.cycle();
  EXPECT_EQ(work.state().parkAirports.front().code, "LSZH") << "sorted again without a move of the user";
}

TEST_F(ParkAirportWorkTest, AReReadGivesTheParkAirportUpAndTheNextCyclesReadItsStandsAgain) {
  atZurich();
  test::writeFile(paths::myParkAirports, "EHAM\n");
  work.rereadParkAirports();
  EXPECT_FALSE(airports::parkAirportIsSet());
  EXPECT_FALSE(work.staticParkingActive());
  ASSERT_EQ(work.state().parkAirports.size(), 2u) << "the list file and the my_thirdparty folder";
  EXPECT_EQ(work.state().parkAirports.front().code, "EHAM");
  work.cycle();
  work.cycle();
  EXPECT_EQ(airports::parkAirport().code, "LSZH");
  EXPECT_TRUE(work.staticParkingActive());
}

TEST_F(ParkAirportWorkTest, AParkingUpdateIsAskedAlsoWithInitialLoadOnlyButOnlyWithStands) {
  INITIAL_LOAD_ONLY.set(true);
  EXPECT_FALSE(work.requestParkingUpdate()) << "no stands yet";
  atZurich();
  EXPECT_TRUE(work.requestParkingUpdate());
  EXPECT_TRUE(work.state().statics.renewalPending);
  EXPECT_FALSE(work.requestParkingUpdate()) << "one pending at a time";
}

TEST_F(ParkAirportWorkTest, TheParkingControlsAreEnabledUntilParkingRunsAndAfterItEnds) {
  EXPECT_TRUE(work.parkingControlsEnabled()) << "as the window was created";
  atZurich();
  EXPECT_FALSE(work.parkingControlsEnabled()) << "while the static aircraft are placed";
  work.cycle();
  EXPECT_TRUE(work.parkingControlsEnabled()) << "the one static aircraft was handed on";
  user = {.position = {kE67.lat + 1.0, kE67.lon}, .onGround = false, .heightAboveGroundFt = 5000.0};
  work.cycle();
  EXPECT_FALSE(work.parkingControlsEnabled()) << "the park airport was given up";
}

TEST_F(ParkAirportWorkTest, ThePictureShowsTheParkAirportItsStandsStaticAircraftAndTheParkingValues) {
  ui::TrafficPicture picture;
  live.liveList.emplace_back().hexid = 0x4b1805;
  fillParkingPicture(picture, &work, live);
  EXPECT_FALSE(picture.parkAirport.has_value());
  EXPECT_FALSE(picture.parking.active);
  EXPECT_FALSE(picture.parking.firstParkAirport.has_value()) << "the park airports are not read yet";

  atZurich();
  ASSERT_EQ(live.staticRecords.size(), 1u) << "KLM1 on E_68 is being created";
  live.staticRecords[0].objectId = 31;
  live.staticRecords[0].active = true;
  work.periodicWork(60);
  fillParkingPicture(picture, &work, live);
  ASSERT_TRUE(picture.parkAirport.has_value());
  EXPECT_EQ(picture.parkAirport->code, "LSZH");
  ASSERT_EQ(picture.stands.size(), 2u);
  EXPECT_EQ(picture.stands[1].id, 2u);
  EXPECT_DOUBLE_EQ(picture.stands[1].headingDeg, 450.0);
  EXPECT_NEAR(picture.stands[1].radiusM, 20.0, 1e-6);
  ASSERT_EQ(picture.aircraft.size(), 2u) << "the static row follows the live one";
  const ui::PictureAircraft& parked = picture.aircraft[1];
  EXPECT_FALSE(parked.live);
  EXPECT_EQ(parked.registration, "PH-BXA");
  EXPECT_EQ(parked.state, "active");
  EXPECT_EQ(parked.phase, "parked");
  EXPECT_EQ(parked.stand, 2u);
  EXPECT_DOUBLE_EQ(parked.headingDeg, 90.0);
  EXPECT_DOUBLE_EQ(parked.altitudeFt, 1402.0);
  EXPECT_EQ(parked.livery, kDefaultLiveryTitle);
  live.staticRecords.clear();
  EXPECT_EQ(parked.livery, kDefaultLiveryTitle) << "the window reads the livery after the record went";

  const ui::ParkingStatus& status = picture.parking;
  EXPECT_TRUE(status.active);
  EXPECT_EQ(status.airport, "LSZH");
  EXPECT_EQ(status.publisher, "stock");
  EXPECT_EQ(status.userStand, "E_67");
  EXPECT_EQ(status.stands, 2);
  EXPECT_EQ(status.parkedStatic, 1);
  EXPECT_EQ(status.minutesToRenewal, 19);
  EXPECT_EQ(status.wanted, 2);
  EXPECT_DOUBLE_EQ(status.averageFitHours, 0.0) << "KLM1 stands there at this very half-hour";
  ASSERT_TRUE(status.firstParkAirport.has_value());
  EXPECT_EQ(status.firstParkAirport->code, "LSZH");

  fillParkingPicture(picture, nullptr, {});
  EXPECT_FALSE(picture.parkAirport.has_value());
  EXPECT_TRUE(picture.stands.empty());
  EXPECT_FALSE(picture.parking.firstParkAirport.has_value());
}

// The window's requests as the main loop hands them over, with a window model
// installed and settings saved in a scratch folder.
class WindowRequestWorkTest : public ParkAirportWorkTest {
 protected:
  WindowRequestWorkTest() {
    std::filesystem::create_directories(dataFolder());
    setControlView(&model);
    ui::createWindowControls(model);
  }
  ~WindowRequestWorkTest() override { setControlView(nullptr); }

  bool enabled(ControlId id) const { return model.control(id)->enabled; }

  test::ScratchHome home;
  ui::WindowModel model;
  ui::WindowRequests requests;
  sim::ExchangeLists exchange;
  WindowRequestWork requestWork{model, requests, live, exchange, &work};
};

TEST_F(WindowRequestWorkTest, NavLightsGoToTheActiveParkedAircraftOnly) {
  const auto liveAt = [](uint32_t objectId, SimState state, FlightPhase phase) {
    LiveAircraft aircraft;
    aircraft.objectId = objectId;
    aircraft.state = state;
    aircraft.phase = phase;
    return aircraft;
  };
  live.liveList = {liveAt(11, SimState::Active, FlightPhase::Parked), liveAt(12, SimState::Active, FlightPhase::Taxi),
                   liveAt(13, SimState::RemovingFromSim, FlightPhase::Parked)};
  live.staticRecords = {{.aircraft = {}, .title = {}, .objectId = 21, .active = true},
                        {.aircraft = {}, .title = {}, .objectId = 22, .active = false},
                        {.aircraft = {}, .title = {}, .objectId = 23, .active = true, .removing = true}};
  NAV_LIGHTS_WHILE_PARKED.set(false);
  requestWork.tick(1);
  EXPECT_TRUE(exchange.events.empty()) << "nothing asked";
  requests.navLights = true;
  requestWork.tick(2);
  EXPECT_EQ(exchange.events, (std::vector<sim::SimEvent>{{11, sim::kEvNavLights, 0}, {21, sim::kEvNavLights, 0}}));
  EXPECT_FALSE(requests.navLights);
}

TEST_F(WindowRequestWorkTest, AFlushOnTheNextTickRemovesTheStaticAircraftAndTicksInitialLoadOnly) {
  atZurich();
  traffic.placedStatic.push_back(kStaticOnE68);
  requests.flush = true;
  model.setEnabled(kFlushStaticButton.place.id, false);
  requestWork.tick(7);
  EXPECT_EQ(requests.tickCounter.load(), 7);
  EXPECT_EQ(traffic.removed.size(), 1u);
  EXPECT_TRUE(INITIAL_LOAD_ONLY.value());
  EXPECT_TRUE(model.control(INITIAL_LOAD_ONLY.controlPlace()->id)->checked);
  EXPECT_NE(test::readFile(parametersFile()).find(R"(name="INITIAL_LOAD_ONLY" value="true")"), std::string::npos);
  EXPECT_TRUE(enabled(MAX_PARK_SEL.controlPlace()->id)) << "the flush ended the placing";
  EXPECT_FALSE(enabled(kFlushStaticButton.place.id)) << "for the rest of the session";
}

TEST_F(WindowRequestWorkTest, TheParkingControlsFollowTheParkingAndTheHandlersLearnWhetherItIsActive) {
  model.setEnabled(MAX_FIT.controlPlace()->id, false);
  requestWork.tick(1);
  EXPECT_FALSE(requests.staticParkingActive);
  EXPECT_TRUE(enabled(MAX_FIT.controlPlace()->id)) << "what a session before left is set right on the first tick";
  atZurich();
  requestWork.tick(2);
  EXPECT_TRUE(requests.staticParkingActive);
  for (const ControlId id : {MAX_PARK_SEL.controlPlace()->id, parking_percentage.controlPlace()->id,
                                 WEEK.controlPlace()->id, MAX_FIT_FL.controlPlace()->id, kFlushStaticButton.place.id}) {
    EXPECT_FALSE(enabled(id)) << id;
  }
  work.cycle();
  requestWork.tick(3);
  EXPECT_TRUE(enabled(MAX_PARK_SEL.controlPlace()->id));
  EXPECT_TRUE(enabled(kFlushStaticButton.place.id));
}

TEST_F(WindowRequestWorkTest, TheDestinationIsTakenOnATickAndTheReReadOnAFifteenth) {
  test::writeFile(paths::myParkAirports, "LSZH\n");
  ASSERT_TRUE(work.startUp());
  DESTINATION.set("EHAM");
  requests.destination = true;
  requestWork.tick(1);
  EXPECT_EQ(work.state().parkAirports.front().code, "EHAM");

  atZurich();
  requests.reread = true;
  model.setEnabled(kRereadButton.place.id, false);
  model.setEnabled(DESTINATION.controlPlace()->id, false);
  requestWork.tick(14);
  EXPECT_TRUE(airports::parkAirportIsSet()) << "a re-read waits for the 15th tick";
  requestWork.fifteenthTick();
  EXPECT_FALSE(airports::parkAirportIsSet());
  EXPECT_TRUE(enabled(kRereadButton.place.id));
  EXPECT_TRUE(enabled(DESTINATION.controlPlace()->id));
  DESTINATION.set("");
}

TEST_F(WindowRequestWorkTest, AParkingUpdateAskedByAHandlerMakesTheRenewalPendingOnTheFifteenthTick) {
  atZurich();
  INITIAL_LOAD_ONLY.set(true);
  requests.parkingUpdate = true;
  requestWork.tick(14);
  EXPECT_FALSE(work.state().statics.renewalPending);
  requestWork.fifteenthTick();
  EXPECT_TRUE(work.state().statics.renewalPending);
  EXPECT_FALSE(requests.parkingUpdate);
}

}  // namespace
}  // namespace tfx::app

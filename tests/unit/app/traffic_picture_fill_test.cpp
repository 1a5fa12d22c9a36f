// The traffic picture's rows as the main loop fills them, picture after
// picture into the same rows, while aircraft come and go.
#include "app/traffic_picture_fill.h"

#include <gtest/gtest.h>

#include "app/parking_picture_fill.h"
#include "core/geodesy.h"
#include "traffic/first_links.h"

namespace tfx::app {
namespace {

LiveAircraft liveAircraft(uint32_t hexid, std::string_view callsign, SimState state) {
  LiveAircraft aircraft;
  aircraft.hexid = hexid;
  aircraft.callsign = callsign;
  aircraft.type = "A320";
  aircraft.destination = "a destination name longer than any code";
  aircraft.state = state;
  aircraft.phase = FlightPhase::Flying;
  aircraft.title = "Airbus A320 SWISS";
  aircraft.block.lat = 47.5;
  aircraft.block.lon = 8.6;
  aircraft.block.heading = 90 * kDegToRad;
  return aircraft;
}

StaticRecord staticRecord(uint32_t hexid, std::string_view registration) {
  StaticRecord record;
  record.aircraft.hexid = hexid;
  record.aircraft.standIndex = static_cast<int>(hexid);
  record.aircraft.registration = registration;
  record.title = kDefaultLiveryTitle;
  return record;
}

void publish(ui::TrafficPicture& picture, const TrafficState& traffic) {
  fillTrafficPicture(picture, traffic, std::nullopt, 40.0);
  fillParkingPicture(picture, nullptr, traffic);
}

TEST(TrafficPictureFill, RowsFollowTheLiveListThenTheStaticRecordsAsTheyChange) {
  TrafficState traffic;
  traffic.liveList = {liveAircraft(0x4b1805, "SWR12", SimState::Active),
                      liveAircraft(0x4b1806, "EZY1234", SimState::Active)};
  traffic.staticRecords = {staticRecord(3, "PH-BXA")};
  ui::TrafficPicture picture;
  publish(picture, traffic);
  ASSERT_EQ(picture.aircraft.size(), 3u);
  EXPECT_EQ(picture.aircraft[1].callsign, "EZY1234");
  EXPECT_EQ(picture.aircraft[1].destination, "a destination name longer than any code");
  EXPECT_EQ(picture.aircraft[2].registration, "PH-BXA");

  traffic.liveList.erase(traffic.liveList.begin());
  traffic.liveList.front().destination = "LSZH";
  traffic.staticRecords.push_back(staticRecord(4, "D-AIBA"));
  publish(picture, traffic);
  ASSERT_EQ(picture.aircraft.size(), 3u);
  EXPECT_TRUE(picture.aircraft[0].live);
  EXPECT_EQ(picture.aircraft[0].callsign, "EZY1234");
  EXPECT_EQ(picture.aircraft[0].destination, "LSZH") << "a short text after a long one";
  for (size_t row : {1u, 2u}) {
    EXPECT_FALSE(picture.aircraft[row].live);
    EXPECT_TRUE(picture.aircraft[row].callsign.view().empty()) << "nothing left of the row before";
    EXPECT_TRUE(picture.aircraft[row].destination.view().empty());
    EXPECT_EQ(picture.aircraft[row].livery, kDefaultLiveryTitle);
  }
  EXPECT_EQ(picture.aircraft[1].registration, "PH-BXA");
  EXPECT_EQ(picture.aircraft[2].registration, "D-AIBA");
}

TEST(TrafficPictureFill, BufferedAircraftShowAtTheirFirstTrackPointPlacedOnesWhereTheyWerePut) {
  TrafficState traffic;
  traffic.liveList = {liveAircraft(0x4b1805, "SWR12", SimState::Buffer),
                      liveAircraft(0x4b1806, "SWR13", SimState::Active)};
  traffic.liveList[0].history.push_back({.lat = 47.1, .lon = 8.1, .altitude = 5000, .groundSpeed = 240,
                                         .track = 270, .airborne = true});
  traffic.liveList[0].history.push_back({.lat = 47.2, .lon = 8.2, .altitude = 6000, .airborne = true});
  ui::TrafficPicture picture;
  publish(picture, traffic);
  const ui::PictureAircraft& buffered = picture.aircraft[0];
  EXPECT_DOUBLE_EQ(buffered.lat, 47.1);
  EXPECT_DOUBLE_EQ(buffered.altitudeFt, 5000);
  EXPECT_DOUBLE_EQ(buffered.headingDeg, 270);
  EXPECT_DOUBLE_EQ(buffered.speedKt, 240);
  EXPECT_EQ(buffered.state, "buffer");
  const ui::PictureAircraft& placed = picture.aircraft[1];
  EXPECT_DOUBLE_EQ(placed.lat, 47.5);
  EXPECT_DOUBLE_EQ(placed.headingDeg, 90);
  EXPECT_EQ(placed.livery, "Airbus A320 SWISS");
  EXPECT_FALSE(placed.stand.has_value());
}

}  // namespace
}  // namespace tfx::app

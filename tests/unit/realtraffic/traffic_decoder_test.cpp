#include "realtraffic/traffic_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/log.h"
#include "core/parameters.h"
#include "realtraffic/traffic_fields.h"
#include "test_support.h"
#include "traffic_datagram.h"

namespace tfx {
namespace {

namespace f = traffic_fields;
using test::TrafficDatagram;

constexpr LatLon kZurich{47.4647, 8.5492};
constexpr double kZurichElevation = 1416.0;

class TrafficDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    feed.setReferencePosition(kZurich);
  }

  std::optional<TrafficReport> decode(const TrafficDatagram& datagram) {
    return decodeTrafficDatagram(datagram.text(), feed);
  }
  // A report near the park airport at the altitude and speed given.
  std::optional<TrafficReport> atHeight(double altitude, double groundSpeed) {
    return decode(TrafficDatagram()
                      .set(f::kLat, "47.46")
                      .set(f::kLon, "8.55")
                      .set(f::kAltitude, std::to_string(altitude))
                      .set(f::kGroundSpeed, std::to_string(groundSpeed)));
  }
  bool onGround(double altitude, double groundSpeed) {
    const auto report = atHeight(altitude, groundSpeed);
    EXPECT_TRUE(report.has_value()) << altitude << " ft " << groundSpeed << " kt";
    return report && report->altitude == 0.0 && !report->airborne;
  }

  TrafficFeedState feed;
  LogCapture log;
};

TEST_F(TrafficDecoderTest, DecodesEveryFieldOfAGoodDatagram) {
  const auto report = decode(TrafficDatagram());
  ASSERT_TRUE(report);
  EXPECT_EQ(report->hexid, 4921364u);
  EXPECT_DOUBLE_EQ(report->lat, 47.5);
  EXPECT_DOUBLE_EQ(report->lon, 8.6);
  EXPECT_DOUBLE_EQ(report->altitude, 12000.0);
  EXPECT_TRUE(report->airborne);
  EXPECT_DOUBLE_EQ(report->groundSpeed, 250.0);
  EXPECT_DOUBLE_EQ(report->track, 271.5);
  EXPECT_DOUBLE_EQ(report->verticalSpeed, -640.0);
  EXPECT_DOUBLE_EQ(report->tas, 262.0);
  EXPECT_EQ(report->type, "A320");
  EXPECT_EQ(report->callsign, "SWR123");
  EXPECT_EQ(report->registration, "HB-JLT");
  EXPECT_EQ(report->origin, "LSZH");
  EXPECT_EQ(report->destination, "EGLL");
  EXPECT_DOUBLE_EQ(report->timestamp, 1700000000.5);
  EXPECT_EQ(report->stamp, 0);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(TrafficDecoderTest, GroundDecisionBandsAroundTheParkAirportElevation) {
  feed.setParkAirport(kZurich);
  feed.setGroundElevation(kZurichElevation);
  EXPECT_TRUE(onGround(kZurichElevation - 10, 200));  // below the ground at any speed
  EXPECT_TRUE(onGround(kZurichElevation + 45, 120));
  EXPECT_FALSE(onGround(kZurichElevation + 45, 121));
  EXPECT_FALSE(onGround(kZurichElevation + 46, 120));
  EXPECT_TRUE(onGround(kZurichElevation + 90, 80));
  EXPECT_FALSE(onGround(kZurichElevation + 90, 81));
  EXPECT_FALSE(onGround(kZurichElevation + 91, 80));
  EXPECT_TRUE(onGround(kZurichElevation + 120, 43));
  EXPECT_FALSE(onGround(kZurichElevation + 120, 44));
  EXPECT_FALSE(onGround(kZurichElevation + 121, 43));
  EXPECT_TRUE(onGround(-50, 300));
  // Slow is on the ground at any height.
  EXPECT_TRUE(onGround(30000, 35));
  EXPECT_FALSE(onGround(30000, 35.5));

  // The bands end below 14000 ft, whatever the elevation.
  feed.setGroundElevation(13950);
  EXPECT_TRUE(onGround(13990, 100));
  EXPECT_FALSE(onGround(14000, 100));

  // An unknown elevation counts as -1000 ft, so no low flyer lands on it.
  feed.setGroundElevation(0);
  EXPECT_TRUE(onGround(50, 40));
  feed.clearGroundElevation();
  EXPECT_FALSE(onGround(50, 40));
}

TEST_F(TrafficDecoderTest, GroundTrafficIsKeptOnlyNearTheParkAirport) {
  // 1200 ft at 30 kt is on the ground; without a park airport it is not shown.
  EXPECT_FALSE(atHeight(1200, 30));
  feed.setParkAirport(kZurich);
  const auto report = atHeight(1200, 30);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->altitude, 0.0);
  EXPECT_FALSE(report->hasRoll);
  EXPECT_EQ(report->roll, 0.0);
  EXPECT_DOUBLE_EQ(report->tas, 262.0);

  // About 5.4 nm east of the park airport.
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLat, "47.4647").set(f::kLon, "8.682").set(f::kAltitude, "0")));
  EXPECT_TRUE(decode(TrafficDatagram().set(f::kLat, "47.4647").set(f::kLon, "8.660").set(f::kAltitude, "0")));
}

TEST_F(TrafficDecoderTest, EstimatesTheTrueAirspeedFromTheAltitude) {
  const auto tasAt = [this](const char* altitude) {
    const auto report = decode(TrafficDatagram().set(f::kTas, "-1").set(f::kAltitude, altitude));
    return report ? report->tas : -99.0;
  };
  EXPECT_EQ(tasAt("15000"), 350.0);
  EXPECT_EQ(tasAt("2000"), 180.0);
  EXPECT_EQ(tasAt("2001"), 220.0);
  EXPECT_EQ(tasAt("5000"), 220.0);
  EXPECT_EQ(tasAt("10000"), 250.0);
  EXPECT_EQ(tasAt("20000"), 350.0);
  EXPECT_EQ(tasAt("20001"), 430.0);
  // On the ground the estimate starts from 0 ft.
  feed.setParkAirport(kZurich);
  const auto ground =
      decode(TrafficDatagram().set(f::kTas, "-1").set(f::kAltitude, "0").set(f::kLat, "47.46").set(f::kLon, "8.55"));
  ASSERT_TRUE(ground);
  EXPECT_EQ(ground->tas, 180.0);

  EXPECT_FALSE(decode(TrafficDatagram().set(f::kTas, "fast")));
  EXPECT_TRUE(log.contains("exception in processLineSub: TAS incorrectfast"));
}

TEST_F(TrafficDecoderTest, TrueHeadingFromAdsbOnlyAndRollWithItsSignInverted) {
  const auto headingOf = [this](const char* source, const char* heading) {
    return decode(TrafficDatagram().set(f::kSourceKind, source).set(f::kTrueHeading, heading));
  };
  auto report = headingOf("adsb_icao", "90");
  ASSERT_TRUE(report);
  EXPECT_TRUE(report->hasTrueHeading);
  EXPECT_DOUBLE_EQ(report->trueHeading, std::numbers::pi / 2);
  report = headingOf("adsb_icao", "0");
  EXPECT_TRUE(report->hasTrueHeading);
  EXPECT_DOUBLE_EQ(report->trueHeading, 2 * std::numbers::pi);
  report = headingOf("adsb_icao", "360");
  EXPECT_DOUBLE_EQ(report->trueHeading, 2 * std::numbers::pi);
  EXPECT_FALSE(headingOf("adsb_icao", "-1")->hasTrueHeading);
  EXPECT_FALSE(headingOf("mlat", "90")->hasTrueHeading);
  EXPECT_FALSE(headingOf("mlat", "garbage")->hasTrueHeading);
  EXPECT_FALSE(headingOf("adsb_icao", "360.5"));
  EXPECT_TRUE(log.contains("exception in processLineSub: trueheading: 360.50"));
  EXPECT_FALSE(headingOf("adsb_icao", ""));
  EXPECT_TRUE(log.contains("exception in processLineSub: trueheading:"));

  // A missing track is taken from the true heading.
  report = decode(TrafficDatagram().set(f::kTrack, "").set(f::kTrueHeading, "45"));
  EXPECT_DOUBLE_EQ(report->track, 45.0);
  report = decode(TrafficDatagram().set(f::kTrack, "0").set(f::kTrueHeading, "0"));
  EXPECT_DOUBLE_EQ(report->track, 360.0);
  report = decode(TrafficDatagram().set(f::kTrack, "").set(f::kSourceKind, "mlat"));
  EXPECT_EQ(report->track, 0.0);
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kTrack, "north")));
  EXPECT_TRUE(log.contains("exception in processLineSub: track incorrect north"));

  report = decode(TrafficDatagram().set(f::kRoll, "-2.5"));
  EXPECT_TRUE(report->hasRoll);
  EXPECT_DOUBLE_EQ(report->roll, 2.5 * std::numbers::pi / 180);
  report = decode(TrafficDatagram().set(f::kRoll, "30"));
  EXPECT_DOUBLE_EQ(report->roll, -30 * std::numbers::pi / 180);
  report = decode(TrafficDatagram().set(f::kRoll, "-1"));
  EXPECT_FALSE(report->hasRoll);
  EXPECT_EQ(report->roll, -1.0);
  report = decode(TrafficDatagram().set(f::kRoll, "0"));
  EXPECT_FALSE(report->hasRoll);
}

TEST_F(TrafficDecoderTest, CategoryFilterAndExcludedTypes) {
  const auto kept = [this](const char* type, const char* category) {
    return decode(TrafficDatagram().set(f::kType, type).set(f::kCategory, category)).has_value();
  };
  EXPECT_TRUE(kept("A320", "A3"));
  EXPECT_TRUE(kept("A320", "null"));
  EXPECT_TRUE(kept("A320", ""));
  EXPECT_TRUE(kept("A320", "B3"));
  for (const char* category : {"B1", "B2", "B4", "C1", "C2"}) EXPECT_FALSE(kept("A320", category)) << category;
  for (const char* type : {"null", "0", "ZZZZ", ""}) EXPECT_FALSE(kept(type, "A3")) << type;
  for (const char* type : {"BALL", "EMER", "GLID", "GRND", "GND", "PARA", "SERV", "SHIP", "VENT"}) {
    EXPECT_FALSE(kept(type, "A1")) << type;
    EXPECT_FALSE(kept(type, "null")) << type;
    EXPECT_FALSE(kept(type, "")) << type;
  }
  EXPECT_TRUE(kept("GLF5", "A2"));
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(TrafficDecoderTest, HexidDigitsUpToTheFirstOtherCharacter) {
  const auto hexid = [this](const char* text) {
    const auto report = decode(TrafficDatagram().set(f::kHexid, text));
    return report ? report->hexid : 0u;
  };
  EXPECT_EQ(hexid("10001"), 10001u);
  EXPECT_EQ(hexid("4294967295"), 4294967295u);
  EXPECT_EQ(hexid("12345abc"), 12345u);
  EXPECT_EQ(hexid("9999"), 0u);
  EXPECT_EQ(hexid("10000"), 0u);
  EXPECT_EQ(hexid("12ab"), 0u);
  EXPECT_TRUE(log.lines().empty()) << "low hexids drop silently";

  EXPECT_EQ(hexid("abc123"), 0u);
  EXPECT_TRUE(log.contains("exception in processLineSub: hexid incorrectabc123"));
  EXPECT_EQ(hexid("4294967296"), 0u);
  EXPECT_TRUE(log.contains("hexid incorrect4294967296"));
  EXPECT_EQ(hexid("-12345"), 0u);
  EXPECT_EQ(hexid(""), 0u);
  EXPECT_EQ(log.count("hexid incorrect"), 4u);
}

TEST_F(TrafficDecoderTest, CallsignRulesAndCollecting) {
  auto report = decode(TrafficDatagram().set(f::kCallsign, "null"));
  ASSERT_TRUE(report);
  EXPECT_EQ(report->callsign, "");
  report = decode(TrafficDatagram().set(f::kCallsign, "SW@R1"));
  EXPECT_EQ(report->callsign, "");
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kCallsign, "ERARMTR0")));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kCallsign, "AIRPORT1")));
  EXPECT_TRUE(decode(TrafficDatagram().set(f::kCallsign, "AIRPORT12")));
  // Without callsign and registration nobody can tell the aircraft apart.
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kCallsign, "null").set(f::kRegistration, "null")));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kCallsign, "").set(f::kRegistration, "")));
  report = decode(TrafficDatagram().set(f::kCallsign, "").set(f::kRegistration, "HB-JNA"));
  EXPECT_EQ(report->registration, "HB-JNA");
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kRegistration, "ABCDEFGHIJKLM")));
  EXPECT_TRUE(decode(TrafficDatagram().set(f::kRegistration, "ABCDEFGHIJKL")));
  EXPECT_TRUE(feed.seenCallsigns().empty());

  feed.setCollecting(true);
  decode(TrafficDatagram().set(f::kCallsign, "EZY12"));
  decode(TrafficDatagram().set(f::kCallsign, "DLH4").set(f::kType, "null"));  // dropped later, still seen
  decode(TrafficDatagram().set(f::kCallsign, "ERARMTR0"));
  decode(TrafficDatagram().set(f::kCallsign, "AB@C"));
  decode(TrafficDatagram().set(f::kCallsign, "null"));
  decode(TrafficDatagram().set(f::kCallsign, "FAR1").set(f::kLat, "40.0"));  // outside the radius
  EXPECT_EQ(feed.takeSeenCallsigns(), (std::set<std::string, std::less<>>{"DLH4", "ERARMTR0", "EZY12"}));
  EXPECT_TRUE(feed.seenCallsigns().empty());
}

TEST_F(TrafficDecoderTest, PositionTimeAndShapeChecks) {
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kCallsign, "SWR1 VEH")));
  EXPECT_TRUE(log.lines().empty()) << "vehicles are ignored without a word";

  const std::string shortDatagram = "RTTFC,4921364,47.5,8.6,12000";
  EXPECT_FALSE(decodeTrafficDatagram(shortDatagram, feed));
  EXPECT_TRUE(log.contains("exception in processLineSub: only 5 fields"));
  // Fields after the category are not read.
  EXPECT_TRUE(decodeTrafficDatagram(TrafficDatagram().text() + ",more,fields", feed));

  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLat, "91")));
  EXPECT_TRUE(log.contains("exception in processLineSub: invalid lalo: 91.000000,8.600000"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLon, "-180.5")));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLat, "0.0001").set(f::kLon, "-0.0001")));
  EXPECT_EQ(log.count("invalid lalo"), 3u);
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLat, "nan")));
  EXPECT_TRUE(log.contains("exception in processLineSub: lat:nan"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kLon, " 8.6")));
  EXPECT_TRUE(log.contains("lon: 8.6"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kAltitude, "FL120")));
  EXPECT_TRUE(log.contains("altitude FL120 incorrect, from: RTTFC,4921364,"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kGroundSpeed, "")));
  EXPECT_TRUE(log.contains("exception in processLineSub: gs:"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kVerticalSpeed, "x")));
  EXPECT_TRUE(log.contains("exception in processLineSub: vs:x"));
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kRoll, "1e999")));
  EXPECT_TRUE(log.contains("exception in processLineSub: roll:1e999"));

  // The radius follows RANGE; the feed's time is kept even for a dropped report.
  RANGE.set(2);
  updateTrafficRadius();
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kTimestamp, "1700000123")));
  EXPECT_DOUBLE_EQ(feed.lastTimestamp.load(), 1700000123.0);
  EXPECT_FALSE(decode(TrafficDatagram().set(f::kTimestamp, "soon")));
  EXPECT_TRUE(log.contains("exception in processLineSub: timestamp:soon"));

  const auto report = decode(TrafficDatagram()
                                 .set(f::kLat, "47.47")
                                 .set(f::kLon, "8.55")
                                 .set(f::kOrigin, "null")
                                 .set(f::kDestination, "null"));
  ASSERT_TRUE(report);
  EXPECT_EQ(report->origin, "");
  EXPECT_EQ(report->destination, "");
}

}  // namespace
}  // namespace tfx

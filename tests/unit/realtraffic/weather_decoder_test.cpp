#include "realtraffic/weather_decoder.h"

#include <gtest/gtest.h>

#include "core/log.h"
#include "realtraffic/feed_state.h"
#include "realtraffic/published_qnh.h"

namespace tfx {
namespace {

class WeatherDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override { publishedQnh() = kStandardQnh; }
  void TearDown() override { publishedQnh() = kStandardQnh; }

  // The QNH published by the datagram, or -1 when none was.
  int32_t publishes(std::string_view datagram) {
    publishedQnh() = -1;
    decodeWeatherDatagram(datagram, {lastQnh, feedState});
    return publishedQnh().load();
  }

  std::atomic<int32_t> lastQnh{kStandardQnh};
  std::atomic<int32_t> feedState{kFeedReceiving};
  LogCapture log;
};

TEST_F(WeatherDecoderTest, HectopascalsAndInchesOfMercuryInsideTheWindow) {
  EXPECT_EQ(publishes(R"({"QNH": 2992})"), 1013);
  EXPECT_EQ(publishes(R"({"QNH": 930})"), 930);
  EXPECT_EQ(publishes(R"({"QNH": 1080})"), 1080);
  EXPECT_EQ(publishes(R"({"QNH": 1009.4, "wind": [270, 12]})"), 1009);
  EXPECT_EQ(publishes(R"({"QNH": 1009.6})"), 1010);
  EXPECT_EQ(publishes(R"({"QNH": 2953})"), 1000);
  EXPECT_EQ(lastQnh.load(), 1000);
  EXPECT_TRUE(log.lines().empty());

  EXPECT_EQ(publishes(R"({"QNH": 1081})"), -1);
  EXPECT_TRUE(log.contains(R"(? Strange QNH 366 found in {"QNH": 1081})"));
  EXPECT_EQ(publishes(R"({"QNH": 929})"), -1);
  EXPECT_TRUE(log.contains("? Strange QNH 929 found in"));
  EXPECT_EQ(publishes(R"({"QNH": -1013})"), -1);
  EXPECT_EQ(lastQnh.load(), 1000) << "a strange value leaves the last QNH";
}

TEST_F(WeatherDecoderTest, TextQnhIsReadUpToTheFirstNonDigit) {
  EXPECT_EQ(publishes(R"({"QNH": "1009"})"), 1009);
  EXPECT_EQ(publishes(R"({"QNH": "1011 hPa"})"), 1011);
  EXPECT_EQ(publishes(R"({"QNH": "2992"})"), 1013);
  EXPECT_EQ(publishes(R"({"QNH": "Q1009"})"), -1);
  EXPECT_TRUE(log.contains(R"(===> QNH string parse error: Q1009 in {"QNH": "Q1009"})"));
  EXPECT_EQ(publishes(R"({"QNH": ""})"), -1);
  EXPECT_EQ(publishes(R"({"QNH": "-"})"), -1);
  EXPECT_EQ(publishes(R"({"QNH": "+1009"})"), -1);
  EXPECT_EQ(publishes(R"({"QNH": "99999999999"})"), -1);
  EXPECT_EQ(log.count("QNH string parse error"), 5u);
}

TEST_F(WeatherDecoderTest, MissingAndMalformedQnhAreLoggedAndSkipped) {
  for (const char* datagram : {R"({"wind": 5})", R"({"QNH": null})", R"({"QNH": {}})", R"({"QNH": []})", "[1013]"}) {
    log.takeLines();
    EXPECT_EQ(publishes(datagram), -1) << datagram;
    EXPECT_TRUE(log.contains(std::string("no QNH ") + datagram)) << datagram;
  }
  EXPECT_EQ(publishes(R"({"QNH": true})"), -1);
  EXPECT_TRUE(log.contains(R"(Exception type must be number, but is boolean, in {"QNH": true})"));
  EXPECT_EQ(publishes(R"({"QNH": {"hPa": 1013}})"), -1);
  EXPECT_TRUE(log.contains("type must be number, but is object"));
  EXPECT_EQ(publishes(R"({"QNH": 1e12})"), -1);
  EXPECT_EQ(publishes(R"({"QNH": 10)"), -1);
  EXPECT_EQ(log.count("Exception "), 4u);
}

TEST_F(WeatherDecoderTest, OnlyChangesAndTheStandardValueArePublished) {
  EXPECT_EQ(publishes(R"({"QNH": 1009})"), 1009);
  EXPECT_EQ(publishes(R"({"QNH": 1009})"), -1);
  EXPECT_EQ(publishes(R"({"QNH": 1013})"), 1013);
  EXPECT_EQ(publishes(R"({"QNH": 1013})"), 1013) << "1013 is published after every reconnection";

  feedState = kFeedNoData;
  EXPECT_EQ(publishes(R"({"QNH": 1020})"), 1020);
  EXPECT_EQ(feedState.load(), kFeedReceiving);
  feedState = kFeedNotStarted;
  EXPECT_EQ(publishes(R"({"QNH": 1021})"), 1021);
  EXPECT_EQ(feedState.load(), kFeedNotStarted);
}

}  // namespace
}  // namespace tfx

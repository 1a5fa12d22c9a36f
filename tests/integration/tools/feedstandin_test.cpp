#include <fmt/format.h>
#include <gtest/gtest.h>

#include <set>

#include "core/folders.h"
#include "core/log.h"
#include "eventually.h"
#include "child_process.h"
#include "reader_thread.h"
#include "realtraffic/control_channel.h"
#include "realtraffic/published_qnh.h"
#include "realtraffic/realtraffic_status.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::eventually;

constexpr LatLon kZurich{47.4647, 8.5492};

class FeedStandinTest : public ::testing::Test {
 protected:
  void SetUp() override { test::resetProgramState(); }
  void TearDown() override {
    publishedQnh() = kStandardQnh;
    realTrafficPresent() = false;
    realTrafficStatus().connected = false;
    realTrafficStatus().professional = false;
    realTrafficStatus().setEditionText("");
    test::resetProgramState();
  }

  test::TempDir folder;
};

TEST_F(FeedStandinTest, ZurichReplayArrivesInTheTrafficQueue) {
  TrafficQueue queue;
  queue.setAccepting(true);
  TrafficReader traffic(queue, 0, true);
  traffic.feed.setReferencePosition(kZurich);
  traffic.feed.setParkAirport(kZurich);
  traffic.feed.setGroundElevation(1416);
  WeatherReader weather(0, true);
  test::ReaderThread trafficThread(traffic);
  test::ReaderThread weatherThread(weather);
  const uint16_t trafficPort = trafficThread.waitUntilReceiving();
  const uint16_t weatherPort = weatherThread.waitUntilReceiving();
  ASSERT_NE(trafficPort, 0);
  ASSERT_NE(weatherPort, 0);

  const double started = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  test::ChildProcess standin(
      FEEDSTANDIN_PATH,
      {"--replay", (test::sourceDir() / "data/feed/zurich.rec").string(), "--speed", "100", "--traffic-port",
       std::to_string(trafficPort), "--weather-port", std::to_string(weatherPort), "--control-port", "none", "--qnh",
       "1000", "--qnh-format", "inhg", "--duration", "300"},
      {.standardOutput = folder / "out.txt"});

  // Every flight of the recording is at Zurich; the last of the ten starts
  // 2,610 s in, 26 s into the replay at this speed.
  const auto hexids = [&] {
    std::lock_guard guard(queue.mutex);
    std::set<uint32_t> seen;
    for (const TrafficReport& report : queue.reports) seen.insert(report.hexid);
    return seen;
  };
  EXPECT_TRUE(eventually([&] { return hexids().size() >= 10; }, std::chrono::seconds(60)))
      << hexids().size() << " aircraft";
  EXPECT_TRUE(eventually([] { return publishedQnh().load() == 1000; }));
  {
    std::lock_guard guard(queue.mutex);
    ASSERT_FALSE(queue.reports.empty());
    const bool someOnGround = std::any_of(queue.reports.begin(), queue.reports.end(),
                                          [](const TrafficReport& report) { return !report.airborne; });
    EXPECT_TRUE(someOnGround);
    for (const TrafficReport& report : queue.reports) {
      EXPECT_LT(gf_distanceNm(kZurich, {report.lat, report.lon}), 40.0);
      EXPECT_GE(report.timestamp, started - 1.0) << "the replay plays as now";
      EXPECT_FALSE(report.callsign.empty());
    }
  }

  standin.terminate();
  EXPECT_EQ(standin.waitFor(std::chrono::seconds(20)), 0);
  const std::string summary = test::readFile(folder / "out.txt");
  EXPECT_NE(summary.find(fmt::format("datagrams sent to port {}: ", trafficPort)), std::string::npos) << summary;
  EXPECT_NE(summary.find("stopped: SIGTERM"), std::string::npos) << summary;
}

TEST_F(FeedStandinTest, PlaysTheClientOnTheControlChannel) {
  realTrafficPresent() = true;
  for (const int level : {1, 2}) {
    SCOPED_TRACE(level);
    TrafficQueue queue;
    WeatherReader weather(0, true);
    TrafficReader traffic(queue, 0, true);
    ControlChannel channel({weather, traffic});
    channel.startControlServer("0");
    const auto log = folder / fmt::format("standin{}.log", level);
    test::ChildProcess standin(FEEDSTANDIN_PATH,
                                   {"--control-port", std::to_string(channel.port()), "--level", std::to_string(level),
                                    "--version", "8.2.1", "--log", log.string(), "--qnh-interval", "0"},
                                   {.standardOutput = folder / "out.txt"});
    channel.waitForRealTraffic();
    ASSERT_TRUE(channel.connected());
    EXPECT_EQ(realTrafficStatus().editionText(), level == 2 ? "RT prof edition: 8.2.1" : "RT stnd edition: 8.2.1");

    channel.sendUserPosition({.trueHeading = 3.0, .altitude = 1416, .lat = 47.4647, .lon = 8.5492}, nullptr);
    channel.sendSimTime(1733419378);
    channel.close();
    EXPECT_EQ(standin.waitFor(std::chrono::seconds(20)), 0);

    const std::string recorded = test::readFile(log);
    EXPECT_NE(recorded.find("Z Qs121=0;0;3.000000;1416000;0;0.828415;0.149212\n"), std::string::npos) << recorded;
    EXPECT_EQ(recorded.find("Qs123=1733419378") != std::string::npos, level == 2) << recorded;
    EXPECT_NE(recorded.find("stopped: exit from the program"), std::string::npos) << recorded;
  }
}

}  // namespace
}  // namespace tfx

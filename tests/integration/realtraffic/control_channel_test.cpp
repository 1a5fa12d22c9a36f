#include "realtraffic/control_channel.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <thread>

#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "eventually.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/stop_flags.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::eventually;

// Plays the RealTraffic client on the other end of the channel.
class TestClient {
 public:
  void connect(uint16_t port) { ASSERT_EQ(stream_.connect("127.0.0.1", port), 0); }
  void send(std::string_view text) { ASSERT_TRUE(stream_.sendAll(text).ok()); }
  void close() { stream_.close(); }

  // The next message up to and with its "\r\n"; empty when none comes in time
  // or the channel closed.
  std::string readMessage(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pending_.find("\r\n") == std::string::npos) {
      if (std::chrono::steady_clock::now() >= deadline || stream_.waitReadable(50) < 0) return {};
      if (stream_.waitReadable(0) == 0) continue;
      char buffer[4096];
      const auto received = stream_.receive(buffer);
      if (received.bytes <= 0) return {};
      pending_.append(buffer, static_cast<size_t>(received.bytes));
    }
    const size_t end = pending_.find("\r\n") + 2;
    std::string message = pending_.substr(0, end);
    pending_.erase(0, end);
    return message;
  }

  // Answers the version request as a client of that level.
  void answerVersion(int level, std::string_view version) {
    EXPECT_EQ(readMessage(), "Qs999=version\r\n");
    send(fmt::format(R"({{"level": {}, "version": "{}"}})", level, version));
  }

 private:
  platform::TcpStream stream_;
  std::string pending_;
};

class CountingLiveTraffic : public LiveTrafficControl {
 public:
  void removeActiveFromSim() override { ++removals; }
  void tidyLiveList() override { ++tidyings; }
  int removals = 0;
  int tidyings = 0;
};

class ControlChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    messageLine().clearAll();
    realTrafficPresent() = true;
    resetStatus();
  }
  void TearDown() override {
    realTrafficPresent() = false;
    resetStatus();
    test::resetProgramState();
  }
  static void resetStatus() {
    realTrafficStatus().connected = false;
    realTrafficStatus().professional = false;
    realTrafficStatus().setEditionText("");
  }

  // Starts the server and lets a client of the level connect and answer.
  void connectClient(TestClient& client, int level, std::string_view version) {
    channel.startControlServer("0");
    std::thread clientThread([&] {
      client.connect(channel.port());
      client.answerVersion(level, version);
    });
    channel.waitForRealTraffic();
    clientThread.join();
  }

  static UserPosition zurich() {
    return {.pitch = 0.05, .bank = -0.1, .trueHeading = 1.5, .altitude = 1416, .groundSpeed = 12.5,
            .lat = 47.4647, .lon = 8.5492};
  }

  TrafficQueue queue;
  WeatherReader weather{0, true};
  TrafficReader traffic{queue, 0, true};
  ControlChannel channel{{weather, traffic}};
  LogCapture log;
};

TEST_F(ControlChannelTest, ProfessionalClientGetsTheSimulatorTimeAndExit) {
  weather.lastQnh = 1000;
  traffic.feed.lastTimestamp = 17.0;
  traffic.feed.addSeenCallsign("OLD1");
  traffic.stopFlag = true;
  weather.state = kFeedStopped;

  TestClient client;
  connectClient(client, 2, "10.0.243");
  EXPECT_TRUE(channel.connected());
  EXPECT_TRUE(realTrafficStatus().connected.load());
  EXPECT_TRUE(realTrafficStatus().professional.load());
  EXPECT_EQ(realTrafficStatus().editionText(), "RT prof edition: 10.0.243");
  EXPECT_TRUE(log.contains("Waiting for RealTraffic to connect to |Aeroshadow_P3D ..."));
  EXPECT_TRUE(log.contains("RealTraffic connected"));
  EXPECT_EQ(messageLine().message(), "");
  // Every (re)connection starts the feeds afresh.
  EXPECT_EQ(weather.lastQnh.load(), 1013);
  EXPECT_EQ(traffic.feed.lastTimestamp.load(), 0.0);
  EXPECT_TRUE(traffic.feed.seenCallsigns().empty());
  EXPECT_FALSE(traffic.stopFlag.load());
  EXPECT_EQ(weather.state.load(), kFeedNotStarted);

  channel.sendSimTime(0);
  channel.sendSimTime(1733419378);
  EXPECT_EQ(client.readMessage(), "Qs123=1733419378\r\n");
  channel.sendUserPosition({.lat = 0.00005, .lon = 0.00005}, nullptr);
  channel.sendUserPosition(zurich(), nullptr);
  EXPECT_EQ(client.readMessage(), "Qs121=5000;-10000;1.500000;1416000;12500;0.828415;0.149212\r\n");
  channel.close();
  EXPECT_EQ(client.readMessage(), "exit\r\n");
  EXPECT_FALSE(channel.connected());
}

TEST_F(ControlChannelTest, StandardClientNeverGetsTheSimulatorTime) {
  TestClient client;
  connectClient(client, 1, "9.1.5");
  EXPECT_FALSE(realTrafficStatus().professional.load());
  EXPECT_EQ(realTrafficStatus().editionText(), "RT stnd edition: 9.1.5");
  channel.sendSimTime(1733419378);
  channel.sendUserPosition(zurich(), nullptr);
  EXPECT_EQ(client.readMessage().substr(0, 6), "Qs121=");
}

TEST_F(ControlChannelTest, ClientWithoutVersionAnswerIsConnectedAsStandard) {
  channel.startControlServer("0");
  TestClient client;
  std::thread clientThread([&] {
    client.connect(channel.port());
    EXPECT_EQ(client.readMessage(), "Qs999=version\r\n");
    client.close();
  });
  channel.waitForRealTraffic();
  clientThread.join();
  EXPECT_TRUE(log.contains("No RealTraffic version received?"));
  EXPECT_FALSE(realTrafficStatus().professional.load());
  EXPECT_TRUE(realTrafficStatus().connected.load());
}

TEST_F(ControlChannelTest, ClientThatGoesAwayIsWaitedForAndReconnected) {
  TestClient first;
  connectClient(first, 2, "10.0");
  first.close();
  weather.lastQnh = 1000;

  CountingLiveTraffic live;
  ASSERT_TRUE(eventually([&] {
    channel.sendUserPosition(zurich(), &live);
    return !channel.connected();
  }));
  EXPECT_TRUE(log.contains("sendDataPacket to RealTraffic failed: 10054 Connection reset by peer"));
  EXPECT_TRUE(log.contains("RealTraffic client socket closed"));
  EXPECT_TRUE(log.contains("RealTraffic gone? Wait for RealTraffic to re-connect ..."));
  EXPECT_FALSE(realTrafficStatus().connected.load());
  EXPECT_EQ(live.removals, 1);
  EXPECT_EQ(live.tidyings, 1);
  EXPECT_EQ(weather.lastQnh.load(), 1013);

  // While no client is there the once-a-second call only looks and returns.
  for (int second = 0; second < 3; ++second) channel.sendUserPosition(zurich(), &live);
  EXPECT_FALSE(channel.connected());

  TestClient second;
  second.connect(channel.port());
  channel.sendUserPosition(zurich(), &live);
  EXPECT_TRUE(channel.connected());
  EXPECT_TRUE(realTrafficStatus().connected.load());
  EXPECT_TRUE(log.contains("RealTraffic re-connected"));
  channel.sendUserPosition(zurich(), &live);
  EXPECT_EQ(second.readMessage().substr(0, 6), "Qs121=");
  EXPECT_EQ(live.removals, 1);
}

TEST_F(ControlChannelTest, WaitingForTheClientEndsWhenTheSessionEnds) {
  channel.startControlServer("0");
  std::thread stopper([] {
    eventually([] { return messageLine().message().find("Waiting for RealTraffic") != std::string::npos; });
    requestSessionExit(ExitReason::UserClosedSim, 0);
  });
  channel.waitForRealTraffic();
  stopper.join();
  EXPECT_FALSE(channel.connected());
  EXPECT_FALSE(realTrafficStatus().connected.load());
  EXPECT_FALSE(log.contains("RealTraffic connected"));
}

TEST_F(ControlChannelTest, NothingHappensWithoutTheRealTrafficClientOnThisComputer) {
  realTrafficPresent() = false;
  channel.startControlServer("0");
  channel.waitForRealTraffic();
  channel.sendUserPosition(zurich(), nullptr);
  EXPECT_FALSE(channel.connected());
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(ControlChannelTest, ServerStartFailuresNameTheStep) {
  const auto startError = [this](std::string_view port) -> std::string {
    try {
      channel.startControlServer(port);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "started";
  };
  EXPECT_EQ(startError("ten"), "getaddrinfo failed with error 10109");
  EXPECT_EQ(startError("70000"), "getaddrinfo failed with error 10109");

  platform::TcpListener occupant;
  ASSERT_EQ(occupant.create(), 0);
  ASSERT_EQ(occupant.bind(0), 0);
  ASSERT_EQ(occupant.listen(), 0);
  const std::string port = std::to_string(occupant.port());
  EXPECT_EQ(startError(port), "Bind failed at port " + port + " with error 10048 Address already in use");
  EXPECT_EQ(channel.port(), 0) << "the listening socket is closed after a failure";
}

}  // namespace
}  // namespace tfx

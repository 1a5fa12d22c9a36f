#include <gtest/gtest.h>

#include "core/log.h"
#include "core/message_line.h"
#include "eventually.h"
#include "platform/udp_socket.h"
#include "reader_thread.h"
#include "realtraffic/published_qnh.h"
#include "realtraffic/traffic_fields.h"
#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_reader.h"
#include "runstate/cycle_clock.h"
#include "runstate/stop_flags.h"
#include "test_support.h"
#include "traffic_datagram.h"

namespace tfx {
namespace {

using test::eventually;
using test::ReaderThread;
using test::TrafficDatagram;
namespace f = traffic_fields;

class UdpReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    messageLine().clearAll();
  }
  void TearDown() override {
    test::resetProgramState();
    publishedQnh() = kStandardQnh;
    cycleNumber() = 0;
  }

  void send(uint16_t port, std::string_view datagram) {
    ASSERT_TRUE(sender.sendTo("127.0.0.1", port, datagram).ok());
  }
  size_t queued() {
    std::lock_guard guard(queue.mutex);
    return queue.reports.size();
  }
  std::vector<std::string> queuedCallsigns() {
    std::lock_guard guard(queue.mutex);
    std::vector<std::string> callsigns;
    for (const TrafficReport& report : queue.reports) callsigns.push_back(report.callsign);
    return callsigns;
  }

  TrafficQueue queue;
  platform::UdpSender sender;
  LogCapture log;
};

TEST_F(UdpReaderTest, EqualDatagramsAreOneReportOnAllAddressesButTwoOnLoopback) {
  queue.setAccepting(true);
  for (const bool loopbackOnly : {false, true}) {
    SCOPED_TRACE(loopbackOnly ? "127.0.0.1" : "all addresses");
    {
      std::lock_guard guard(queue.mutex);
      queue.reports.clear();
    }
    TrafficReader reader(queue, 0, loopbackOnly);
    reader.feed.setReferencePosition({47.5, 8.6});
    ReaderThread thread(reader);
    const uint16_t port = thread.waitUntilReceiving();
    ASSERT_NE(port, 0);
    const std::string datagram = TrafficDatagram().set(f::kCallsign, "TWICE").text();
    send(port, datagram);
    send(port, datagram);
    send(port, TrafficDatagram().set(f::kCallsign, "LAST").text());
    ASSERT_TRUE(eventually([&] { return reader.datagramCount.load() == 3; }));
    ASSERT_TRUE(eventually([&] { return !queuedCallsigns().empty() && queuedCallsigns().back() == "LAST"; }));
    if (loopbackOnly) {
      EXPECT_EQ(queuedCallsigns(), (std::vector<std::string>{"TWICE", "TWICE", "LAST"}));
    } else {
      EXPECT_EQ(queuedCallsigns(), (std::vector<std::string>{"TWICE", "LAST"}));
    }
  }
}

TEST_F(UdpReaderTest, OverLongDatagramsAreSkippedAndLogged) {
  queue.setAccepting(true);
  cycleNumber() = 500;
  TrafficReader reader(queue, 0, true);
  reader.feed.setReferencePosition({47.5, 8.6});
  ReaderThread thread(reader);
  const uint16_t port = thread.waitUntilReceiving();

  const std::string fitting = TrafficDatagram().set(f::kCallsign, "FITS").text();
  // The category field padded up to the size limit and beyond.
  const auto padded = [&](size_t size) { return fitting + std::string(size - fitting.size(), 'x'); };
  send(port, padded(16384));
  send(port, padded(20000));
  send(port, padded(16383));
  ASSERT_TRUE(eventually([&] { return queued() == 1; }));
  EXPECT_TRUE(log.contains("buffer overrun: 16384 bytes"));
  EXPECT_TRUE(log.contains("buffer overrun: 20000 bytes"));
  EXPECT_EQ(reader.datagramCount.load(), 1);
  std::lock_guard guard(queue.mutex);
  EXPECT_EQ(queue.reports.front().callsign, "FITS");
  EXPECT_EQ(queue.reports.front().stamp, 3500);
}

TEST_F(UdpReaderTest, ReportsAreQueuedOnlyWhileTrafficIsAcceptedAndStoppingIsLogged) {
  {
    TrafficReader reader(queue, 0, false);
    reader.feed.setReferencePosition({47.5, 8.6});
    ReaderThread thread(reader);
    const uint16_t port = thread.waitUntilReceiving();
    EXPECT_TRUE(eventually([&] { return log.contains("Traffic Reader connected"); }));
    send(port, TrafficDatagram().set(f::kCallsign, "EARLY").text());
    // The reader decodes one datagram after the other: once the next one's
    // time is seen, the first is done with.
    send(port, TrafficDatagram().set(f::kCallsign, "NEXT").set(f::kTimestamp, "1700000999").text());
    ASSERT_TRUE(eventually([&] { return reader.feed.lastTimestamp.load() == 1700000999.0; }));
    queue.setAccepting(true);
    send(port, TrafficDatagram().set(f::kCallsign, "LATE").text());
    ASSERT_TRUE(eventually([&] { return !queuedCallsigns().empty() && queuedCallsigns().back() == "LATE"; }));
    EXPECT_EQ(queuedCallsigns().front(), queuedCallsigns().size() == 1 ? "LATE" : "NEXT");
    thread.stop();
    EXPECT_EQ(reader.state.load(), kFeedStopped);
  }
  const auto lines = log.lines();
  const auto stopped = std::find(lines.begin(), lines.end(), "Traffic Reader has stopped");
  ASSERT_NE(stopped, lines.end());
  ASSERT_NE(stopped + 1, lines.end());
  EXPECT_EQ(*(stopped + 1), "Traffic Reader disconnected");
  EXPECT_EQ(exitReason(), ExitReason::NotYetSet);
}

TEST_F(UdpReaderTest, WeatherDatagramInInchesOfMercuryIsPublishedInHectopascals) {
  WeatherReader reader(0, false);
  ReaderThread thread(reader);
  const uint16_t port = thread.waitUntilReceiving();
  EXPECT_TRUE(eventually([&] { return log.contains("QNH Reader connected"); }));
  reader.state = kFeedNoData;
  send(port, R"({"QNH": 2953})");
  ASSERT_TRUE(eventually([] { return publishedQnh().load() == 1000; }));
  EXPECT_EQ(reader.state.load(), kFeedReceiving);
  send(port, R"({"QNH": "2992"})");
  ASSERT_TRUE(eventually([] { return publishedQnh().load() == 1013; }));
  EXPECT_EQ(reader.lastQnh.load(), 1013);
  thread.stop();
  EXPECT_TRUE(log.contains("QNH Reader has stopped"));
  EXPECT_TRUE(log.contains("QNH Reader disconnected"));
}

TEST_F(UdpReaderTest, AReaderThatCannotBindEndsTheSessionForARestart) {
  platform::UdpReceiver occupant;
  ASSERT_EQ(occupant.create(), 0);
  ASSERT_EQ(occupant.bind(0, false), 0);
  TrafficReader reader(queue, occupant.port(), false);
  reader.run();
  const std::string expected =
      "The Traffic Reader has stopped with error: bind to stream socket failed, error: 10048 Address already in use";
  EXPECT_EQ(messageLine().message(), expected);
  EXPECT_TRUE(log.contains(expected));
  EXPECT_TRUE(stopRequested());
  EXPECT_EQ(exitReason(), ExitReason::ReaderError);
  EXPECT_EQ(stopFlags().restartDelaySeconds.load(), 15);
}

}  // namespace
}  // namespace tfx

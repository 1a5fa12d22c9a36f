#include "sim/simconnect/simconnect_config.h"

#include <gtest/gtest.h>

#include "core/log.h"
#include "test_support.h"

namespace tfx::simconnect {
namespace {

TEST(SimConnectConfig, ReadsTheFirstSimConnectSectionCaseBlind) {
  const auto config = parseSimConnectConfig(
      "; remote simulator\n"
      "[Other]\nPort=1\n"
      "[SimConnect.0]\r\n"
      "  protocol = IPv4 \r\n"
      "ADDRESS=192.168.1.20   ; the simulator PC\n"
      "Port=500\nMaxReceiveSize=8192\nDisableNagle=1\n"
      "[SimConnect]\nPort=600\n");
  EXPECT_EQ(config.protocol, "IPv4");
  EXPECT_EQ(config.address, "192.168.1.20");
  EXPECT_EQ(config.port, 500);
  EXPECT_EQ(config.maxReceiveSize, 8192u);
  EXPECT_TRUE(config.disableNagle);
}

TEST(SimConnectConfig, MissingFileOrValuesGiveTheDefaultsAndBadNumbersAreLogged) {
  test::TempDir folder;
  const auto none = loadSimConnectConfig(folder / "SimConnect.cfg");
  EXPECT_EQ(none.address, "127.0.0.1");
  EXPECT_EQ(none.port, kDefaultPort);
  EXPECT_EQ(none.maxReceiveSize, kDefaultMaxReceiveSize);
  EXPECT_FALSE(none.disableNagle);

  LogCapture log;
  test::writeFile(folder / "SimConnect.cfg", "[SimConnect]\nAddress=\nPort=70000\nMaxReceiveSize=big\nDisableNagle=0\n");
  const auto bad = loadSimConnectConfig(folder / "SimConnect.cfg");
  EXPECT_EQ(bad.address, "127.0.0.1");
  EXPECT_EQ(bad.port, kDefaultPort);
  EXPECT_EQ(bad.maxReceiveSize, kDefaultMaxReceiveSize);
  EXPECT_FALSE(bad.disableNagle);
  EXPECT_TRUE(log.contains("SimConnect.cfg: invalid Port '70000'"));
  EXPECT_TRUE(log.contains("SimConnect.cfg: invalid MaxReceiveSize 'big'"));
}

}  // namespace
}  // namespace tfx::simconnect

#include "realtraffic/control_messages.h"

#include <gtest/gtest.h>

#include "realtraffic/socket_error_text.h"

namespace tfx {
namespace {

TEST(ControlMessagesTest, UserPositionInFixedNotation) {
  UserPosition user;
  user.pitch = -0.0523;
  user.bank = 0.1;
  user.trueHeading = 4.712389;
  user.altitude = 35000.25;
  user.groundSpeed = 451.5;
  user.lat = 47.4647;
  user.lon = 8.5492;
  EXPECT_EQ(userPositionMessage(user), "Qs121=-5230;10000;4.712389;35000250;451500;0.828415;0.149212\r\n");

  // Large and tiny values never turn into exponents.
  user = {};
  user.pitch = 0.00001;
  user.altitude = 49000;
  user.groundSpeed = 0.25;
  user.lat = -33.9461;
  user.lon = 151.1772;
  EXPECT_EQ(userPositionMessage(user), "Qs121=1;0;0.000000;49000000;250;-0.592471;2.638540\r\n");
}

TEST(ControlMessagesTest, KnownPositionAndSimTime) {
  EXPECT_FALSE(isKnownPosition({.lat = 0.00005, .lon = 0.00005}));
  EXPECT_FALSE(isKnownPosition({.lat = -0.0001, .lon = 0.0001}));
  EXPECT_TRUE(isKnownPosition({.lat = 0.0, .lon = -0.00011}));
  EXPECT_EQ(simTimeMessage(1733419378), "Qs123=1733419378\r\n");
}

TEST(ControlMessagesTest, VersionAnswerLevelsAndEditionText) {
  VersionAnswer answer = readVersionAnswer(R"({"level": 2, "version": "10.0.243"})");
  EXPECT_TRUE(answer.professional);
  EXPECT_EQ(answer.editionText, "RT prof edition: 10.0.243");
  answer = readVersionAnswer(R"({"version": "9.1", "level": 1})");
  EXPECT_FALSE(answer.professional);
  EXPECT_EQ(answer.editionText, "RT stnd edition: 9.1");
  answer = readVersionAnswer(R"({"level": "2", "version": 9})");
  EXPECT_FALSE(answer.professional);
  EXPECT_EQ(answer.editionText, "RT stnd edition: 9");
  answer = readVersionAnswer("{}\r\n");
  EXPECT_EQ(answer.editionText, "RT stnd edition: ");
  for (const char* other : {"version 10", "[2]", R"({"level": 2)"}) {
    answer = readVersionAnswer(other);
    EXPECT_FALSE(answer.professional) << other;
    EXPECT_EQ(answer.editionText, "") << other;
  }
}

TEST(ControlMessagesTest, SocketErrorTexts) {
  EXPECT_EQ(socketErrorText(10048), "10048 Address already in use");
  EXPECT_EQ(socketErrorText(10058), "10058 Can't send numLines socket shutdown");
  EXPECT_EQ(socketErrorText(11004), "11004 No host data of that type was found");
  EXPECT_EQ(socketErrorText(10100), "10100 Unknown errror code");
  EXPECT_EQ(socketErrorText(0), "0 Unknown errror code");
}

}  // namespace
}  // namespace tfx

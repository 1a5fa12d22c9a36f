// The rules applied to what the simulator tells about the user aircraft.
#include "sim/user_state.h"

#include <gtest/gtest.h>

namespace tfx::sim {
namespace {

TEST(UserStateRules, PositionKnownTeleportAndEpochTime) {
  EXPECT_FALSE(positionKnown(0.0001, -0.0001));
  EXPECT_TRUE(positionKnown(0.00011, 0));
  EXPECT_TRUE(positionKnown(0, -0.00011));

  EXPECT_FALSE(isTeleport({0, 0}, {51.0, 0}));
  EXPECT_FALSE(isTeleport({47.0, 8.0}, {47.0 + 9.99 / 60, 8.0}));
  EXPECT_TRUE(isTeleport({47.0, 8.0}, {47.0 + 10.01 / 60, 8.0}));

  EXPECT_EQ(epochTimeFromZulu(1970, 1, 0), 0);
  EXPECT_EQ(epochTimeFromZulu(2024, 1, 0), 1704067200);
  EXPECT_EQ(epochTimeFromZulu(2024, 60, 0), 1709164800);  // 29 February
  EXPECT_EQ(epochTimeFromZulu(2024, 366, 86399), 1735689599);
  // Dates no calendar holds, as a damaged message may carry, give no time.
  EXPECT_EQ(epochTimeFromZulu(-281474976971798, 1, 0), std::nullopt);
  EXPECT_EQ(epochTimeFromZulu(2024, 0, 0), std::nullopt);
  EXPECT_EQ(epochTimeFromZulu(2024, 367, 0), std::nullopt);
  EXPECT_EQ(epochTimeFromZulu(2024, 1, -1), std::nullopt);
  EXPECT_EQ(epochTimeFromZulu(2024, 1, 86401), std::nullopt);
  EXPECT_EQ(epochTimeFromZulu(10000, 1, 0), std::nullopt);
}

TEST(UserStateRules, SimulatorNameAndModelFromTitle) {
  EXPECT_EQ(reducedSimulatorName("Lockheed Martin\xAE Prepar3D\xAE v6"), "Lockheed Martin Prepar3D v6");
  EXPECT_EQ(reducedSimulatorName("Kitty-Hawk!"), "KittyHawk");

  EXPECT_EQ(modelFromTitle("Aerosoft A321 professional DLH").model, "A321");
  EXPECT_EQ(modelFromTitle("Aerosoft A319 CFM").model, "A319");
  EXPECT_EQ(modelFromTitle("aerosoft a320").model, "");
  EXPECT_TRUE(modelFromTitle("Prepar3D Crew Vessel").noAircraft);
  EXPECT_TRUE(modelFromTitle("camerapod").noAircraft);
  EXPECT_FALSE(modelFromTitle("Boeing 737-800").noAircraft);
}

}  // namespace
}  // namespace tfx::sim

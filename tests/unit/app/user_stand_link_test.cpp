// The stands as the "SimClient" thread sees them and the recomputation it
// hands to the main program thread.
#include "app/user_stand_link.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace tfx::app {
namespace {

std::vector<airports::Stand> twoStands() {
  std::vector<airports::Stand> stands(2);
  stands[0] = {.id = "E_67", .lat = 47.458056, .lon = 8.548056, .radius = 0.01, .index = 1};
  stands[1] = {.id = "E_68", .lat = 47.458956, .lon = 8.548056, .radius = 0.01, .index = 2};
  return stands;
}

TEST(UserStandLinkTest, StandsAreSeenOnlyOncePublishedAndWithin55Metres) {
  UserStandLink link;
  EXPECT_EQ(link.standAt({47.458056, 8.548056}).index, 0u);
  link.publishStands(twoStands());
  EXPECT_EQ(link.standAt({47.458056, 8.548056}), (sim::UserStand{1, "E_67"}));
  EXPECT_EQ(link.standAt({47.458056, 8.548056 + 0.0007}).name, "E_67") << "53 m away";
  EXPECT_EQ(link.standAt({47.458056, 8.548056 + 0.0008}).index, 0u) << "60 m away";
  link.publishStands({});
  EXPECT_EQ(link.standAt({47.458056, 8.548056}).index, 0u);
}

TEST(UserStandLinkTest, AChangeIsRecordedAtOnceAndTakenOnce) {
  UserStandLink link;
  EXPECT_FALSE(link.takeRecomputeRequest());
  link.userStandChanged({2, "E_68"});
  EXPECT_EQ(link.recordedUserStand(), 2u);
  EXPECT_TRUE(link.takeRecomputeRequest());
  EXPECT_FALSE(link.takeRecomputeRequest());
}

TEST(UserStandLinkTest, TheSimulatorThreadLooksUpWhileTheMainThreadPublishes) {
  UserStandLink link;
  const std::vector<airports::Stand> stands = twoStands();
  std::thread simClient([&] {
    for (int i = 0; i < 2000; ++i) {
      const sim::UserStand stand = link.standAt({47.458956, 8.548056});
      if (stand.index != 0 && stand.index != link.recordedUserStand()) link.userStandChanged(stand);
    }
  });
  for (int i = 0; i < 200; ++i)
    link.publishStands(i % 2 == 0 ? std::span<const airports::Stand>(stands) : std::span<const airports::Stand>());
  link.publishStands(stands);
  simClient.join();
  EXPECT_EQ(link.standAt({47.458956, 8.548056}).name, "E_68");
}

}  // namespace
}  // namespace tfx::app

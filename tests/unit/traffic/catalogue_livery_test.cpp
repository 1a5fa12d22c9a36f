// The traffic's livery choice through the program's livery matching: matched
// titles, and titles the simulator refused never again.
#include "traffic/catalogue_livery.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "core/parameters.h"
#include "test_support.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class CatalogueLiveryTest : public ::testing::Test {
 protected:
  CatalogueLiveryTest() {
    resetProgramState();
    RANDOM.set(false);
    pugi::xml_document document;
    document.load_string(kTrafficDbase);
    database_.load(document);
  }

  static LiveryQuery swissA320() {
    return {"SWR", "A320", "", static_cast<uint32_t>(AircraftCategory::Large), false, "SWR A320"};
  }

  AircraftDatabase database_;
  LiveryCatalogue catalogue_{database_};
  CatalogueLivery livery_{catalogue_};
};

TEST_F(CatalogueLiveryTest, MatchingChoosesAndARefusedTitleIsNotChosenAgain) {
  catalogue_.tables.build({{"SWR", "A320", "Swiss A320", "", 1, false}, {"CLX", "B744", "Cargolux 744", "", 1, true}},
                          database_);
  EXPECT_EQ(livery_.findLiveryLiveAc(swissA320()), "Swiss A320");
  livery_.liveryRefused(swissA320(), "Swiss A320");
  EXPECT_EQ(catalogue_.matcher.failedTitles(), std::vector<std::string>{"Swiss A320"});
  EXPECT_EQ(livery_.findLiveryLiveAc(swissA320()), std::nullopt);
  const LiveryQuery freighter{"CLX", "B744", "", static_cast<uint32_t>(AircraftCategory::Heavy), true, "CLX B744"};
  EXPECT_EQ(livery_.findLiveryLiveAc(freighter), "Cargolux 744");
}

}  // namespace
}  // namespace tfx::test

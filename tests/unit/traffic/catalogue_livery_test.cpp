// The traffic's livery choice through the program's livery matching: matched
// titles, and titles the simulator refused never again.
#include "traffic/catalogue_livery.h"

#include "aircraft/aircraft_queries.h"
#include "traffic/first_links.h"
#include "traffic/static_objects.h"

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

airports::StaticToCreate staticAircraft(const std::string& airline, const std::string& type) {
  airports::StaticToCreate entry;
  entry.aircraft.standIndex = 1;
  entry.aircraft.airline = airline;
  entry.aircraft.type = type;
  entry.aircraft.registration = "HB-XYZ";
  entry.hexid = 7;
  return entry;
}

airports::Stand stand(const std::string& id, bool cargo) {
  airports::Stand made;
  made.id = id;
  made.cargo = cargo;
  return made;
}

TEST_F(CatalogueLiveryTest, StaticAircraftGetTheirAirlinesLiveryOrTheDefaultTitle) {
  aircraftDatabase() = database_;
  catalogue_.tables.build({{"SWR", "A320", "Swiss A320", "", 1, false},
                           {"CLX", "B744", "Cargolux 744", "", 1, true},
                           {"CLX", "B744", "Cargolux 744 Passenger", "", 1, false}},
                          database_);
  const airports::Stand gate = stand("E_67", false);
  const airports::Stand cargo = stand("F_1", true);
  EXPECT_EQ(staticLiveryTitle(livery_, staticAircraft("SWR", "A320"), gate), "Swiss A320");
  EXPECT_EQ(staticLiveryTitle(livery_, staticAircraft("CLX", "B744"), cargo), "Cargolux 744");
  EXPECT_EQ(staticLiveryTitle(livery_, staticAircraft("CLX", "B744"), gate), "Cargolux 744 Passenger");
  EXPECT_EQ(staticLiveryTitle(livery_, staticAircraft("KLM", "F16"), gate), kDefaultLiveryTitle);

  livery_.liveryRefused(swissA320(), "Swiss A320");
  EXPECT_EQ(staticLiveryTitle(livery_, staticAircraft("SWR", "A320"), gate), kDefaultLiveryTitle)
      << "a title the simulator refused is not handed to static aircraft either";
  DefaultLivery fixed;
  EXPECT_EQ(staticLiveryTitle(fixed, staticAircraft("SWR", "A320"), gate), kDefaultLiveryTitle);
}

}  // namespace
}  // namespace tfx::test

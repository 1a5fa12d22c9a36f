#include "aircraft/livery_matcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aircraft/regcode_set_up.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/random.h"
#include "livery_fixture.h"
#include "test_support.h"

namespace tfx {
namespace {

using ::testing::ElementsAre;

LiveryList fixtureLiveries() {
  return {
      {"KLM", "B738", "KLM 738 A", "PH-BXA", 1, false},
      {"KLM", "B738", "KLM 738 B", "", 1, false},
      {"KLM", "B737", "KLM 737", "", 1, false},
      {"SWR", "B738", "SWR 738", "", 1, false},
      {"FDX", "MD11", "FDX MD11F", "", 1, true},
      {"KLM", "B744", "KLM 744", "", 1, false},
      {"ZZZ", "C172", "Private Cessna", "", 1, false},
      {"ZZZ", "B744", "Private 744", "", 1, false},
      {"PVT", "C56X", "Bizjet FSLTL_A", "", 1, false},
      {"PVT", "EC35", "Heli", "", 1, false},
  };
}

class MatchingSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    RANDOM.set(false);
    MATCHING_DEPTH.set(4);
    tables_.build(fixtureLiveries(), database_);
    test::ScopedCurrentDir inside(folder_.path());
    lf_processInlineRegcodes(fixtureLiveries(), tables_);
  }
  void TearDown() override { test::resetProgramState(); }

  LiveryMatch live(std::string_view airline, std::string_view type, std::string_view registration = "",
                   bool cargo = false) {
    return matcher_.findLiveryLiveAc(request(airline, type, registration, cargo));
  }
  LiveryRequest request(std::string_view airline, std::string_view type, std::string_view registration = "",
                        bool cargo = false) const {
    return LiveryRequest{airline, type, registration, database_.acCategory(type), cargo, "test aircraft", "STAND1"};
  }

  test::TempDir folder_;
  AircraftDatabase database_ = test::fixtureDatabase();
  LiveryTables tables_;
  LiveryMatching matcher_{tables_, database_};
};

TEST_F(MatchingSteps, OwnRegistrationWinsAtStepOneAndDepthOneUsesNothingElse) {
  EXPECT_EQ(live("SWR", "A388", "PH-BXA").title, "KLM 738 A");
  EXPECT_EQ(live("SWR", "A388", "PH-BXA").step, 1);
  MATCHING_DEPTH.set(1);
  EXPECT_EQ(live("KLM", "B738").step, 0);
  EXPECT_TRUE(live("KLM", "B738").title.empty());
}

TEST_F(MatchingSteps, AirlineAndTypeAtStepTwoAlsoThroughTheRegistrationsOperator) {
  const LiveryMatch own = live("KLM", "B738");
  EXPECT_EQ(own.title, "KLM 738 A");
  EXPECT_EQ(own.step, 2);
  EXPECT_EQ(own.candidates, 2u);
  // PHBXA is found as PH-BXA, operated by KLM.
  EXPECT_EQ(live("SWR", "B737", "PHBXA").title, "KLM 737");
  EXPECT_EQ(live("SWR", "B737", "PHBXA").step, 2);
}

TEST_F(MatchingSteps, CargoFallsBackToPassengerLiveriesOnlyForTheAirline) {
  EXPECT_EQ(live("FDX", "MD11", "", true).title, "FDX MD11F");
  EXPECT_EQ(live("KLM", "B738", "", true).title, "KLM 738 A");
  EXPECT_EQ(live("KLM", "B738", "", true).step, 2);
  // Step 5 gives no passenger livery to a freighter.
  EXPECT_EQ(live("", "C56X", "", false).step, 5);
  EXPECT_EQ(live("", "C56X", "", true).step, 0);
}

TEST_F(MatchingSteps, SimilarTypesOfTheAirlineKeepToTheCategoryForLiveAircraft) {
  EXPECT_EQ(live("KLM", "B736").title, "KLM 737");
  EXPECT_EQ(live("KLM", "B736").step, 3);
  // SWR has only a B738 (Large) for the Light B736: live aircraft go on to step 6.
  EXPECT_EQ(live("SWR", "B736").title, "KLM 737");
  EXPECT_EQ(live("SWR", "B736").step, 6);
  const LiveryMatch parked = matcher_.findLiveryStaticAc(request("SWR", "B736"));
  EXPECT_EQ(parked.title, "SWR 738");
  EXPECT_EQ(parked.step, 3);
  MATCHING_DEPTH.set(2);
  EXPECT_EQ(live("KLM", "B736").step, 0);
}

TEST_F(MatchingSteps, PrivateAircraftGetPrivateLiveries) {
  MATCHING_DEPTH.set(2);
  EXPECT_EQ(live("PVT", "C172").title, "Private Cessna");
  EXPECT_EQ(live("PVT", "C172").step, 4);
  EXPECT_EQ(live("PVT", "B738").step, 0);
}

TEST_F(MatchingSteps, HeavyWithoutOwnLiveryGetsAPrivateOneOnlyAtDepthFour) {
  MATCHING_DEPTH.set(3);
  EXPECT_EQ(live("SWR", "B744").step, 0);
  MATCHING_DEPTH.set(4);
  EXPECT_EQ(live("SWR", "B744").title, "Private 744");
  EXPECT_EQ(live("SWR", "B744").step, 4);
  // A Large aircraft never reaches the type steps.
  EXPECT_EQ(live("SWR", "E190").step, 0);
}

TEST_F(MatchingSteps, TypeStepsForSmallCategoriesFallBackToTheCategorysTypes) {
  const LiveryMatch heli = matcher_.findLiveryLiveAc(
      LiveryRequest{"", "H135", "", AircraftCategory::Rotorcraft, false, "helicopter", ""});
  EXPECT_EQ(heli.title, "Heli");
  EXPECT_EQ(heli.step, 6);
  EXPECT_TRUE(live("", "C56X").fsltl);
}

TEST_F(MatchingSteps, PickTitlePrefersOrdinaryTitles) {
  std::vector<std::string> report;
  mergeRegcodes({RegcodeEntry{"KLM 738 A", {"PH-BXZ"}, true}}, tables_, report);
  const std::string_view a = tables_.storedTitle("KLM 738 A");
  const std::string_view b = tables_.storedTitle("KLM 738 B");
  EXPECT_EQ(matcher_.pickTitle({a, b}), b);
  EXPECT_EQ(matcher_.pickTitle({b, a}), b);
  EXPECT_EQ(matcher_.pickTitle({a}), a);
  EXPECT_EQ(matcher_.pickTitle({}), "");
  EXPECT_EQ(live("KLM", "B738").title, "KLM 738 B");
  RANDOM.set(true);
  seedRandomEngine(3);
  for (int draw = 0; draw < 50; ++draw) EXPECT_EQ(matcher_.pickTitle({a, b, a}), b);
}

TEST_F(MatchingSteps, TitlesThatFailedAreNotCountedAndEndTheStaticSearch) {
  matcher_.addFailedTitle("KLM 738 A");
  const LiveryMatch again = live("KLM", "B738");
  EXPECT_EQ(again.title, "KLM 738 A");
  EXPECT_FALSE(again.counted);
  EXPECT_TRUE(matcher_.findLiveryStaticAc(request("KLM", "B738")).title.empty());
  EXPECT_EQ(matcher_.findLiveryStaticAc(request("KLM", "B738"), "Given title").title, "Given title");
  live("FDX", "MD11", "", true);
  live("PVT", "C172");
  EXPECT_THAT(matcher_.stepCounts(), ElementsAre(0, 1, 0, 1, 0, 0));
  EXPECT_THAT(matcher_.summaryLines(),
              ElementsAre(testing::HasSubstr(" live traffic livery matching summary "), "Matches at step: ", "  1: 0",
                          "  2: 1", "  3: 0", "  4: 1", "  5: 0", "  6: 0", "\nCould not be created by P3D:",
                          "KLM 738 A", std::string(100, '*') + "\n"));
}

TEST_F(MatchingSteps, CountedMatchesAreLoggedWhenLogIsOn) {
  LOG.set(true);
  LogCapture log;
  live("KLM", "B738");
  matcher_.findLiveryStaticAc(request("XXX", "A388"));
  EXPECT_THAT(log.lines(), ElementsAre("          test aircraft =2= KLM 738 A", "STAND1  : test aircraft no livery match ..."));
}

}  // namespace
}  // namespace tfx

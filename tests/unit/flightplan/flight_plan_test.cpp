#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>

#include "core/folders.h"
#include "core/log.h"
#include "flightplan/flight_plan_file.h"
#include "flightplan/flight_plan_list.h"
#include "test_support.h"

namespace tfx::flightplan {
namespace {

namespace fs = std::filesystem;

TEST(FlightPlanText, EightLinesWithTheRulesOfTheCategory) {
  EXPECT_EQ(flightPlanText(2, "EHAM", "KJFK"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<SimBase.Document Type=\"AceXML\" version=\"4,3\">\"\n"
            "<FlightPlan.FlightPlan>\n"
            "<FPType>IFR</FPType>\n"
            "<DepartureID>EHAM</DepartureID>\n"
            "<DestinationID>KJFK</DestinationID>\n"
            "</FlightPlan.FlightPlan>\n"
            "</SimBase.Document>");
  for (const int category : {1, 2, 3}) EXPECT_EQ(flightRules(category), "IFR") << category;
  for (const int category : {-1, 0, 4, 5, 6}) EXPECT_EQ(flightRules(category), "VFR") << category;
}

TEST(FlightPlanText, CodesAreEscapedAndTheDocumentIsWellFormed) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(flightPlanText(0, "A<&\"'>", "EGLL").c_str()));
  const pugi::xml_node plan = document.child("SimBase.Document").child("FlightPlan.FlightPlan");
  EXPECT_STREQ(plan.child_value("DepartureID"), "A<&\"'>");
  EXPECT_STREQ(plan.child_value("FPType"), "VFR");
}

class FlightPlanFolder : public ::testing::Test {
 protected:
  test::ScratchHome home;
  fs::path plans = origDestFolder();
};

TEST_F(FlightPlanFolder, MadeWithTheDataFolderAndRemovedWithItsFiles) {
  ASSERT_FALSE(fs::exists(dataFolder()));
  ASSERT_TRUE(gf_makeFlightPlanFolder());
  EXPECT_TRUE(fs::is_directory(plans));
  EXPECT_TRUE(gf_makeFlightPlanFolder());
  EXPECT_EQ(gf_flightPlanPath(4840131), plans / "4840131.pln");
  ASSERT_TRUE(gf_writeFlightPlan(gf_flightPlanPath(4840131), 3, "EHAM", "KJFK"));
  ASSERT_TRUE(gf_writeFlightPlan(gf_flightPlanPath(4840131), 0, "EDDF", "LOWW"));
  EXPECT_NE(test::readFile(gf_flightPlanPath(4840131)).find("<DepartureID>EDDF</DepartureID>"), std::string::npos);
  gf_removeFlightPlanFolder();
  EXPECT_FALSE(fs::exists(plans));
  EXPECT_TRUE(fs::exists(dataFolder()));
  gf_removeFlightPlanFolder();
}

TEST_F(FlightPlanFolder, AShorterPlanReplacesALongerOneWhole) {
  ASSERT_TRUE(gf_makeFlightPlanFolder());
  const fs::path plan = gf_flightPlanPath(4840131);
  ASSERT_TRUE(gf_writeFlightPlan(plan, 2, "A&B", "KJFK"));
  ASSERT_TRUE(gf_writeFlightPlan(plan, 5, "EHAM", "EGLL"));
  EXPECT_EQ(test::readFile(plan), flightPlanText(5, "EHAM", "EGLL"));
  ASSERT_TRUE(gf_writeFlightPlan(plan, 1, "LEAB&", "LEMD"));
  EXPECT_EQ(test::readFile(plan), flightPlanText(1, "LEAB&", "LEMD"));
}

TEST_F(FlightPlanFolder, AnUnwritablePlanOnlyFails) {
  EXPECT_FALSE(gf_writeFlightPlan(plans / "missing" / "1.pln", 2, "EHAM", "KJFK"));
}

TEST_F(FlightPlanFolder, TheListWritesOnlyNewOrChangedRoutes) {
  ASSERT_TRUE(gf_makeFlightPlanFolder());
  FlightPlanList list;
  EXPECT_FALSE(list.planFor(100001, "KLM123", 2, "", "KJFK"));
  EXPECT_FALSE(list.planFor(100001, "KLM123", 2, "EHAM", ""));
  const auto first = list.planFor(100001, "KLM123", 2, "EHAM", "KJFK");
  ASSERT_TRUE(first);
  fs::remove(*first);
  EXPECT_EQ(list.planFor(100001, "KLM123", 2, "EHAM", "KJFK"), first);
  EXPECT_FALSE(fs::exists(*first)) << "an unchanged route is not written again";
  EXPECT_TRUE(list.planFor(100001, "KLM123", 2, "EHAM", "EGLL"));
  EXPECT_NE(test::readFile(*first).find("EGLL"), std::string::npos);
  list.clear();
  EXPECT_EQ(list.size(), 0U);
}

TEST_F(FlightPlanFolder, AFailedWriteIsLoggedAndForgotten) {
  FlightPlanList list;
  LogCapture log;
  EXPECT_FALSE(list.planFor(100002, "DLH4", 2, "EDDF", "KJFK"));
  EXPECT_TRUE(log.contains("DLH4 creating a flight plan failed"));
  EXPECT_EQ(list.size(), 0U);
}

}  // namespace
}  // namespace tfx::flightplan

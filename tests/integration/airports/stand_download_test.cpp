// Stand files of the download site: found by a probe, fetched for reading,
// and missing ones answered by 404.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "airports/closest_stand.h"
#include "airports/read_apf.h"
#include "airports/stand_file_place.h"
#include "core/log.h"
#include "loopback_site.h"
#include "stand_file_fixture.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

const std::string kArchived = test::standFileXml(
    test::basicParameters("Archived"),
    R"(<parkpos id="G1" latitude="47.001" longitude="8.0" radius="20"/><parkpos id="G2" latitude="47.002" longitude="8.0" radius="20"/>)");

TEST(StandDownloadTest, LocalFilesComeBeforeTheSiteAndLinksNameTheirFile) {
  test::StandFolder install;
  test::LoopbackSite site;
  site.publish("P3D/archive/stock/ZZZZ.xml", kArchived);
  EXPECT_EQ(gf_findAirportFile("ZZZZ", site.baseUrl()), "archive/stock/ZZZZ.xml");
  EXPECT_FALSE(fs::exists("ZZZZ.xml"));
  test::writeFile("airports/my_ORBX/ZZZZ.xml", kArchived);
  EXPECT_EQ(gf_findAirportFile("ZZZZ", site.baseUrl()), "airports/my_ORBX/ZZZZ.xml");
  test::writeFile("airports/my_thirdparty/ZZZZ.txt", "airports/my_thirdparty/Other%20Name.xml.old  \r\nsecond line\n");
  EXPECT_EQ(gf_findAirportFile("ZZZZ", site.baseUrl()), "airports/my_thirdparty/Other%20Name.xml");
  test::writeFile("airports/my_thirdparty/ZZZZ.txt", "a.x\n");
  EXPECT_EQ(gf_findAirportFile("ZZZZ", site.baseUrl()), "airports/my_ORBX/ZZZZ.xml");
  EXPECT_EQ(site.requestedPaths(), (std::vector<std::string>{"/downloads/P3D/archive/stock/ZZZZ.xml"}));
  EXPECT_EQ(gf_findAirportFile("../ZZZZ", site.baseUrl()), "");
}

TEST(StandDownloadTest, UnpublishedAirportHasNoFile) {
  test::StandFolder install;
  test::LoopbackSite site;
  test::writeFile("QQQQ.xml", "kept?");
  LogCapture log;
  EXPECT_EQ(gf_findAirportFile("QQQQ", site.baseUrl()), "");
  EXPECT_TRUE(log.contains(fmt::format("Downloading '{}P3D/archive/stock/QQQQ.xml' failed !", site.baseUrl())));
  EXPECT_EQ(gf_readDestApfForClosestStand({.code = "QQQQ", .iata = {}}, {47.0, 8.0}, site.baseUrl()).distanceNm, 100.0);
}

TEST(StandDownloadTest, ArchivedFileIsFetchedAndReadWithItsLearnedFile) {
  test::StandFolder install;
  test::LoopbackSite site;
  site.publish("P3D/archive/stock/ZZZZ.xml", kArchived);
  test::writeFile("airports/learned/stock/ZZZZ.xml",
                  test::standFileXml("", R"(<parkpos id="G2" radius_change="true" radius="33"/>)"));
  ParkStands park;
  ASSERT_EQ(gf_readApf("archive/stock/ZZZZ.xml", park, std::chrono::system_clock::now(), site.baseUrl()), "");
  EXPECT_EQ(park.parkStands.size(), 2u);
  EXPECT_TRUE(park.parkStands[1].radiusChanged);
  EXPECT_EQ(test::readFile("airports/park_airport.xml"), kArchived);
  const NearestStand nearest = gf_readDestApfForClosestStand({.code = "ZZZZ", .iata = {}}, {47.0021, 8.0}, site.baseUrl());
  EXPECT_EQ(nearest.id, "G2");
  EXPECT_NEAR(nearest.distanceNm, 0.006, 0.0005);
  EXPECT_FALSE(fs::exists("airport.xml"));
}

TEST(StandDownloadTest, FailedDownloadIsTheErrorText) {
  test::StandFolder install;
  test::LoopbackSite site;
  test::writeFile("airports/park_airport.xml", "earlier file");
  LogCapture log;
  ParkStands park;
  const std::string error = gf_readApf("archive/stock/ZZZZ.xml", park, std::chrono::system_clock::now(), site.baseUrl());
  EXPECT_EQ(error, fmt::format("failed to download: '{}P3D/archive/stock/ZZZZ.xml'", site.baseUrl()));
  EXPECT_TRUE(log.contains(error));
  EXPECT_EQ(test::readFile("airports/park_airport.xml"), "earlier file");
  EXPECT_FALSE(park.standsLoaded);
}

}  // namespace
}  // namespace tfx::airports

// Writing stand files in both modes and saving the learned file.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "airports/read_apf.h"
#include "airports/save_learned.h"
#include "airports/stand_file_place.h"
#include "airports/stand_file_write.h"
#include "core/geodesy.h"
#include "core/log.h"
#include "stand_file_fixture.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

const std::string kStandFile = "airports/my_thirdparty/ZZZZ.xml";
const std::string kLearnedFile = "airports/learned/thirdparty/stock/ZZZZ.xml";

std::string standFile() {
  return test::standFileXml(
      test::basicParameters(),
      R"(<parkpos id="A1" latitude="47.1234567" longitude="8.1" heading="-90" radius="20.04" cargo="true">)"
      R"(<opt cs="X1:n" airl="SWR" type="A320" day="1" hh="1,2"/></parkpos>)"
      R"(<parkpos id="A2" latitude="47.2" longitude="8.2" radius="30"/>)"
      R"(<parkpos id="H1" latitude="47.3" longitude="8.3" radius="10" heli="true"/>)");
}

void readPark(ParkStands& park) {
  test::writeFile(kStandFile, standFile());
  EXPECT_EQ(gf_readApf(kStandFile, park), "");
}

std::string written(const ParkStands& park, StandFileMode mode) {
  return standFileText({.stands = park.parkStands, .info = park.info, .handmade = park.handmade, .quality = {}}, mode);
}

TEST(StandFileWriteTest, ModeAllWritesEveryAttribute) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  const std::string text = written(park, StandFileMode::All);
  EXPECT_NE(text.find("\t<parkpos id=\"A1\" latitude=\"47.123457\" longitude=\"8.100000\" heading=\"-90.0\" "
                      "radius=\"20.0\" cargo=\"true\" ramp=\"false\">\n"
                      "\t\t<opt reg=\"\" airl=\"SWR\" type=\"A320\" day=\"1\" hh=\"1,2\" cs=\"X1:n\" />\n\t</parkpos>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(R"(<parkpos id="H1" latitude="47.300000" longitude="8.300000" heading="0.0" radius="10.0" )"
                      R"(heli="true" ramp="false" />)"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>\n<meta>\n", 0), 0u) << text;
  EXPECT_NE(text.find("\t<parameter name=\"num_parkpos\" value=\"3\" />\n"), std::string::npos);
  EXPECT_NE(text.find(R"(<parameter name="MAX_FIT" value="47" />)"), std::string::npos);
  EXPECT_EQ(text.find("handmade"), std::string::npos);
}

TEST(StandFileWriteTest, NumbersOfAnySizeAreWrittenAsFormattedIntoANewOrUsedText) {
  const AirportFileInfo info{"Far", "unknown", 0};
  std::vector<Stand> stands(5);
  stands[0] = {.id = "g1", .lat = -33.9461235, .lon = 151.1772, .heading = 1.5, .radius = 0.0081, .cargo = true, .ramp = true};
  stands[1] = {.id = "big", .lat = 1e13, .lon = -1e300, .heading = 1e14, .radius = 1e12, .manual = true};
  stands[2] = {.id = "none", .lat = std::nan(""), .lon = HUGE_VAL, .heading = -HUGE_VAL, .radius = std::nan(""), .heli = true};
  stands[3] = {.id = "tie", .lat = 0.0078125, .lon = -0.0, .heading = 0.0, .radius = 0.0, .ramp = true};
  stands[4] = {.id = std::string(70, 'L'), .lat = 1.25, .lon = 2.5, .heading = 3.0, .radius = 0.01};
  std::vector<Stand> quoted(1);
  quoted[0] = {.id = "G<&\"1", .lat = 1.0, .lon = 2.0, .heading = 0.5, .radius = 0.01};
  EXPECT_NE(standFileText({.stands = quoted, .info = info}, StandFileMode::All)
                .find(R"(<parkpos id="G&lt;&amp;&quot;1" latitude="1.000000" longitude="2.000000" heading="28.6" )"
                      R"(radius="18.5" cargo="false" ramp="false" />)"),
            std::string::npos);
  const std::string text = standFileText({.stands = stands, .info = info}, StandFileMode::All);
  for (const Stand& stand : stands) {
    const std::string kind = stand.heli ? R"(heli="true")" : fmt::format(R"(cargo="{}")", stand.cargo);
    const std::string line = fmt::format(
        R"(<parkpos id="{}" latitude="{:.6f}" longitude="{:.6f}" heading="{:.1f}" radius="{:.1f}" {} ramp="{}"{} />)",
        stand.id, stand.lat, stand.lon, stand.heading * kRadToDeg, stand.radius / kNmPerMeter, kind, stand.ramp,
        stand.manual ? R"( manual="true")" : "");
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  std::string reused = "the text of an earlier file";
  standFileText({.stands = stands, .info = info}, StandFileMode::All, reused);
  EXPECT_EQ(reused, text);
}

TEST(StandFileWriteTest, ModeChangesWritesOnlyCorrectionsAndLearnedOptions) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  park.parkStands[1].radiusChanged = true;
  park.parkStands[1].cargoChanged = true;
  StandOption soft{.registration = "PH-BXA", .callsign = "KLM1", .index = 1, .day = 4, .real = 0};
  park.parkStands[1].options.push_back(soft);
  park.parkStands[1].options.push_back(StandOption{.callsign = "NONE", .index = 0});
  const std::string text = written(park, StandFileMode::Changes);
  // A known registration carries airline and type itself.
  EXPECT_NE(text.find(R"(<parkpos id="A2" radius_change="true" radius="30.0" cargo_change="true" cargo="false">)"
                      "\n\t\t"
                      R"(<opt reg="PH-BXA" soft="true" day="4" hh="" cs="KLM1" />)"
                      "\n\t</parkpos>"),
            std::string::npos)
      << text;
  // The stand file's own option is no learned one, and H1 has nothing learned.
  EXPECT_EQ(text.find("A1"), std::string::npos) << text;
  EXPECT_EQ(text.find("H1"), std::string::npos) << text;
  EXPECT_NE(text.find(R"(<parameter name="num_parkpos" value="1" />)"), std::string::npos) << text;
}

TEST(StandFileWriteTest, ManualStandIsWrittenWholeAmongChanges) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  park.parkStands[2].manual = true;
  const std::string text = written(park, StandFileMode::Changes);
  EXPECT_NE(text.find(R"(<parkpos id="H1" latitude="47.300000" longitude="8.300000" heading="0.0" radius="10.0" )"
                      R"(heli="true" ramp="false" manual="true" />)"),
            std::string::npos)
      << text;
}

TEST(SaveLearnedTest, SavesLearnedPartsAndReadsThemBack) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  StandOption learned{.airline = "KLM", .type = "B738", .callsign = "KLM5", .index = 2, .day = 6, .origin = 0};
  learned.halfHours.set(40);
  park.parkStands[0].options.push_back(learned);
  park.updates = 1;
  LogCapture log;
  ASSERT_TRUE(gf_saveLearned(park));
  EXPECT_EQ(park.updates, 0);
  EXPECT_EQ(log.count(fmt::format(" '{}' saved with 1 update ", kLearnedFile)), 1u) << log.lines().front();
  const std::string text = test::readFile(kLearnedFile);
  EXPECT_EQ(text.find("A2"), std::string::npos);
  EXPECT_EQ(text.find("X1"), std::string::npos);

  ParkStands again;
  ASSERT_EQ(gf_readApf(kStandFile, again), "");
  ASSERT_EQ(again.parkStands[0].options.size(), 2u);
  EXPECT_EQ(again.parkStands[0].options[1].callsign, "KLM5");
  EXPECT_EQ(again.parkStands[0].options[1].origin, 0);
  EXPECT_TRUE(again.parkStands[0].options[1].halfHours.test(40));
  EXPECT_TRUE(again.parkingPercentageEnabled);
}

TEST(SaveLearnedTest, HandmadeFileKeepsEveryStandAndItsQuality) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  park.handmade = true;
  park.updates = 2;
  park.parametersChanged = true;
  LogCapture log;
  ASSERT_TRUE(gf_saveLearned(park));
  EXPECT_TRUE(log.contains(fmt::format(" handmade '{}' saved with 2 updates and one or more parameter changes", kLearnedFile)));
  const std::string text = test::readFile(kLearnedFile);
  EXPECT_NE(text.find(R"(name="handmade" value="true")"), std::string::npos);
  EXPECT_NE(text.find(R"(name="Qf_real")"), std::string::npos);
  EXPECT_NE(text.find(R"(id="A2" latitude=)"), std::string::npos);
  EXPECT_NE(text.find("X1:n"), std::string::npos);
}

TEST(SaveLearnedTest, FailedSaveKeepsTheOldFile) {
  test::StandFolder install;
  ParkStands park;
  readPark(park);
  test::writeFile(kLearnedFile, "old learned file");
  // The temporary name is taken by a folder, so the new text cannot be written.
  fs::create_directories(kLearnedFile + ".tmp");
  LogCapture log;
  EXPECT_FALSE(gf_saveLearned(park));
  EXPECT_EQ(test::readFile(kLearnedFile), "old learned file");
  EXPECT_TRUE(log.contains(fmt::format(" saving '{}' did not succeed", kLearnedFile)));
}

// The publisher and a link's file name are text from files anyone can hand
// out; neither may place the learned file outside the learned folder.
TEST(SaveLearnedTest, LearnedFileStaysInsideTheLearnedFolder) {
  EXPECT_EQ(gf_learnedFilePath(kStandFile, "../../../../etc"), "airports/learned/thirdparty/.._.._.._.._etc/ZZZZ.xml");
  EXPECT_EQ(gf_learnedFilePath(kStandFile, ".."), "airports/learned/thirdparty/__/ZZZZ.xml");
  EXPECT_EQ(gf_learnedFilePath(kStandFile, "C:\\Windows"), "airports/learned/thirdparty/C__Windows/ZZZZ.xml");
  EXPECT_EQ(gf_learnedFilePath("airports/my_thirdparty/../../../x.xml", "pub"), "airports/learned/thirdparty/pub/x.xml");
  EXPECT_EQ(gf_learnedFilePath("archive/../../x.xml", "stock"), "airports/learned/thirdparty/stock/x.xml");
  EXPECT_EQ(gf_learnedFilePath("/home/user/scenery/EDDM.xml", "pub"), "airports/learned/thirdparty/pub/EDDM.xml");
  EXPECT_EQ(gf_learnedFilePath("archive/stock/LSZH.xml", "stock"), "airports/learned/stock/LSZH.xml");

  test::StandFolder install;
  ParkStands park;
  readPark(park);
  park.info.publisher = "../../..";
  park.updates = 1;
  ASSERT_TRUE(gf_saveLearned(park));
  EXPECT_TRUE(fs::is_regular_file("airports/learned/thirdparty/.._.._../ZZZZ.xml"));
}

}  // namespace
}  // namespace tfx::airports

#include "aircraft/aircraft_cfg_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "core/log.h"
#include "livery_fixture.h"

namespace tfx {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream stream{std::string(text)};
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

class AircraftCfgFile : public ::testing::Test {
 protected:
  LiveryList scan(std::string_view text, const std::string& path = "/sim/KLM/aircraft.cfg", int32_t folder = 1) {
    return searchLiveriesInLines(linesOf(text), path, folder, fixture_.context);
  }
  std::vector<std::string> report(ScanReport report) const { return fixture_.reports.lines(report); }

  test::ScanFixture fixture_;
};

constexpr std::string_view kTwoLiveries = R"([fltsim.0]
title=KLM Boeing 737-800 PH-BXA
sim=B738
model=
texture=KLM
atc_id=PH-BXA
atc_parking_codes=klmx
atc_parking_types=GATE
//atc_id=PH-XXX

[fltsim.1]
 title = KLM Cargo 737
sim = B738
model=
texture = KLMC
atc_parking_codes = KLMC
atc_parking_types = GATE,CARGO

[General]
atc_type=BOEING
atc_model=B738
)";

TEST_F(AircraftCfgFile, EverySectionBecomesALiveryWithTheFilesFacts) {
  EXPECT_THAT(scan(kTwoLiveries, "/sim/KLM/aircraft.cfg", 3),
              ElementsAre(LiveryData{"KLM", "B738", "KLM Boeing 737-800 PH-BXA", "PH-BXA", 3, false},
                          LiveryData{"KLM", "B738", "KLM Cargo 737", "", 3, true}));
  for (size_t index = 0; index < kScanReportCount; ++index) EXPECT_THAT(report(static_cast<ScanReport>(index)), IsEmpty());
}

TEST_F(AircraftCfgFile, FileWithoutFltsimSectionIsListedAndGivesNothing) {
  EXPECT_THAT(scan("[General]\natc_model=B738\n"), IsEmpty());
  EXPECT_THAT(report(ScanReport::NoFltsimSection), ElementsAre("/sim/KLM/aircraft.cfg"));
  EXPECT_THAT(scan(""), IsEmpty());
  EXPECT_THAT(scan("\x01\x02\xff\xfe binary"), IsEmpty());
}

TEST_F(AircraftCfgFile, SectionNumbersOutOfRangeOrUnreadableAreReported) {
  LogCapture log;
  const auto liveries = scan(
      "[fltsim.10001]\ntitle=A\nsim=B738\n[fltsim.123456789012345678901234567890]\ntitle=B\nsim=B738\n"
      "[FLTSIM.10000]\ntitle=C\nsim=B738\natc_parking_codes=KLM\n[General]\natc_model=B738\n");
  ASSERT_EQ(liveries.size(), 1u);
  EXPECT_EQ(liveries[0].title, "C");
  EXPECT_THAT(report(ScanReport::InvalidAircraftCfgFiles),
              ElementsAre("/sim/KLM/aircraft.cfg contains a [fltsim.x] section with a number < 0 or > 10000"));
  EXPECT_TRUE(log.contains("fltsim num 123456789012345678901234567890 incorrect"));
}

TEST_F(AircraftCfgFile, TypeIsFixedOrTheFileIsReported) {
  LogCapture log;
  const std::string section = "[fltsim.0]\ntitle=T{}\nsim=x\natc_parking_codes=KLM\n";
  EXPECT_EQ(scan("[fltsim.0]\ntitle=T1\nsim=x\natc_parking_codes=KLM\n[General]\natc_model=B747\n").at(0).type, "B744");
  EXPECT_TRUE(log.contains("Model fix: B747 found in /sim/KLM/aircraft.cfg changed into B744"));
  EXPECT_THAT(report(ScanReport::Fixes), ElementsAre("Model fix: B747 found in /sim/KLM/aircraft.cfg changed into B744"));
  EXPECT_THAT(scan("[fltsim.0]\ntitle=T2\nsim=x\n[General]\natc_model=Boeing\n"), IsEmpty());
  EXPECT_THAT(report(ScanReport::InvalidAircraftCodes), ElementsAre("Boeing           in /sim/KLM/aircraft.cfg"));
  EXPECT_THAT(scan("[fltsim.0]\ntitle=T3\nsim=x\n[General]\natc_type=B738\n"), IsEmpty());
  EXPECT_THAT(report(ScanReport::InvalidAircraftCfgFiles),
              ElementsAre("Line atc_model= is missing in [General] section of /sim/KLM/aircraft.cfg"));
}

TEST_F(AircraftCfgFile, AirlineComesFromTheParkingCodeOrIsPrivate) {
  const auto liveries = scan(R"([fltsim.0]
title=Swiss
sim=x
atc_parking_codes=SWRX
[fltsim.1]
title=Refuel
sim=x
atc_parking_codes=RFO
[fltsim.2]
title=List
sim=x
atc_parking_codes=KLM,SWR
[fltsim.3]
title=Nothing
sim=x
[General]
atc_model=B738
)");
  ASSERT_EQ(liveries.size(), 4u);
  EXPECT_EQ(liveries[0].airline, "SWR");
  EXPECT_EQ(liveries[1].airline, "RFO");
  EXPECT_EQ(liveries[2].airline, "PVT");
  EXPECT_EQ(liveries[3].airline, "PVT");
  EXPECT_THAT(report(ScanReport::InvalidAirlineCodes), ElementsAre("KLM,SWR      in /sim/KLM/aircraft.cfg "));
  EXPECT_TRUE(liveries[3].atcId.empty());
}

TEST_F(AircraftCfgFile, ZzzLiveriesAreKeptWithoutRegistration) {
  fixture_.database = test::fixtureDatabase({{"ICAO_airlines", R"(<ICAO codes="KLM,SWR,ZZZ"/><ICAO codes="FDX"/>)"}});
  EXPECT_THAT(scan("[fltsim.0]\ntitle=Z\nsim=x\natc_parking_codes=ZZZ\natc_id=PH-BXA\n[General]\natc_model=C172\n"),
              ElementsAre(LiveryData{"ZZZ", "C172", "Z", "", 1, false}));
}

TEST_F(AircraftCfgFile, NoAirlineTakesTheRegistrationsOperatorOrPrivateButNeverForHeavies) {
  const auto liveries = scan(R"([fltsim.0]
title=Fedex one
sim=x
atc_id=N123AB
[fltsim.1]
title=Unknown reg
sim=x
atc_id=PH-ZZZ
[fltsim.2]
title=Cessna PH-BX at home
sim=x
[General]
atc_model=C172
)");
  ASSERT_EQ(liveries.size(), 3u);
  EXPECT_EQ(liveries[0].airline, "FDX");
  EXPECT_EQ(liveries[1].airline, "PVT");
  EXPECT_EQ(liveries[2].airline, "PVT");
  EXPECT_EQ(liveries[2].atcId, "PH-BX");
  EXPECT_THAT(report(ScanReport::IncompleteFltsimSections),
              ElementsAre("/sim/KLM/aircraft.cfg [fltsim.0] icao_airline is missing, or it has invalid info ",
                          "/sim/KLM/aircraft.cfg [fltsim.1] icao_airline is missing, or it has invalid info "));

  const auto heavies =
      scan("[fltsim.0]\ntitle=H1\nsim=x\natc_id=PH-ZZZ\n[fltsim.1]\ntitle=H2\nsim=x\n[General]\natc_model=B744\n",
           "/sim/heavy/aircraft.cfg");
  EXPECT_THAT(heavies, IsEmpty());
  const auto lines = report(ScanReport::IncompleteFltsimSections);
  EXPECT_THAT(lines, testing::Contains("'/sim/heavy/aircraft.cfg' '[fltsim.0]' has no airline and regcode not in dbase"));
  EXPECT_THAT(lines, testing::Contains("'/sim/heavy/aircraft.cfg' '[fltsim.1]' has no airline and no regcode info"));
}

TEST_F(AircraftCfgFile, AtcIdListsAndBadCodesLeaveNoRegistration) {
  const auto liveries = scan(R"([fltsim.0]
title=Two aircraft
sim=x
atc_parking_codes=KLM
atc_id=PH-BXA, PH-BXB ; two tails
[fltsim.1]
title=Star
sim=x
atc_parking_codes=KLM
atc_id=PH-*
[fltsim.2]
title=Long
sim=x
atc_parking_codes=KLM
atc_id=ABCDEFGHIJKLM
[fltsim.3]
title=Empty item
sim=x
atc_parking_codes=KLM
atc_id=PH-BXA,,PH-BXC
[General]
atc_model=B738
)");
  ASSERT_EQ(liveries.size(), 4u);
  for (const LiveryData& livery : liveries) EXPECT_EQ(livery.atcId, "") << livery.title;
  EXPECT_THAT(report(ScanReport::IncompleteFltsimSections),
              ElementsAre("invalid atc_id=PH-* in: /sim/KLM/aircraft.cfg",
                          "invalid atc_id=ABCDEFGHIJKLM in: /sim/KLM/aircraft.cfg",
                          "invalid atc_id=PH-BXA,,PH-BXC in: /sim/KLM/aircraft.cfg"));
}

TEST_F(AircraftCfgFile, MissingFilesRepeatedKeysAndTitlesAreReported) {
  fixture_.missing = {"texture.gone", "nosim.air"};
  LogCapture log;
  const auto liveries = scan(R"([fltsim.0]
title=Gone texture
sim=x
texture=GONE
[fltsim.1]
title=No sim
sim=nosim
[fltsim.2]
title=Twice
title=Twice again
sim=x
atc_parking_codes=KLM
atc_parking_codes=SWR
atc_id=PH-BXA
atc_id=PH-BXB
atc_parking_types=GATE
atc_parking_types=CARGO
[fltsim.3]
title=Twice
sim=x
[fltsim.4]
sim=x
[fltsim.5]
title=Blank after   
sim=x
[General]
atc_model=B738
)");
  ASSERT_EQ(liveries.size(), 2u);
  EXPECT_EQ(liveries[0], (LiveryData{"KLM", "B738", "Twice", "PH-BXA", 1, false}));
  EXPECT_EQ(liveries[1].title, "Blank after");
  EXPECT_TRUE(log.contains("===> There are spaces around title: \"Blank after\""));
  EXPECT_THAT(report(ScanReport::IncompleteFltsimSections),
              ElementsAre("/sim/KLM/texture.GONE or related path does not exist: /sim/KLM/aircraft.cfg",
                          "/sim/KLM/nosim.air or related path does not exist: /sim/KLM/aircraft.cfg",
                          "/sim/KLM/aircraft.cfg [fltsim.2] has more than one title key",
                          "/sim/KLM/aircraft.cfg [fltsim.2] has more than one atc_parking_codes key",
                          "/sim/KLM/aircraft.cfg, [fltsim.2], has more than one atc_id key",
                          "/sim/KLM/aircraft.cfg [fltsim.2] has more than one atc_parking_types key",
                          "/sim/KLM/aircraft.cfg [fltsim.3] title 'Twice' already exists",
                          "/sim/KLM/aircraft.cfg [fltsim.4] misses title"));
}

TEST_F(AircraftCfgFile, DontUseTitlesAreLeftOutSilently) {
  fixture_.dontUse.insert("KLM Cargo 737");
  const auto liveries = scan(kTwoLiveries);
  ASSERT_EQ(liveries.size(), 1u);
  EXPECT_THAT(report(ScanReport::IncompleteFltsimSections), IsEmpty());
}

TEST_F(AircraftCfgFile, IvaoPackagesTakeTypeFromTheFolderAndAirlineFromTheTitle) {
  LogCapture log;
  const auto liveries = scan("[fltsim.0]\ntitle=KLM 747 freighter\nsim=x\n[fltsim.1]\ntitle=XYZ unknown\nsim=x\n",
                             "C:\\IVAO\\IVAO_MTL\\IVAO_B744F\\aircraft.cfg");
  EXPECT_THAT(log.lines(), testing::Contains("Model fix: B744F found in C:\\IVAO\\IVAO_MTL\\IVAO_B744F\\aircraft.cfg "
                                             "changed into B744"));
  ASSERT_EQ(liveries.size(), 1u);
  EXPECT_EQ(liveries[0], (LiveryData{"KLM", "B744", "KLM 747 freighter", "", 1, false}));
  EXPECT_THAT(report(ScanReport::IncompleteFltsimSections),
              ElementsAre(HasSubstr("misses airlinecode in title: XYZ unknown, and no regcode")));
  EXPECT_THAT(scan("[fltsim.0]\ntitle=KLM a\nsim=x\n", "/x/IVAO_MTL/IVAO_B738w/aircraft.cfg").at(0).type, "B738");
}

TEST_F(AircraftCfgFile, HugeAndOddInputsGiveReportsOnly) {
  std::string many;
  for (int index = 0; index < 100000; ++index) many += "[fltsim." + std::to_string(index) + "]\n";
  many += "[General]\natc_model=B738\n";
  EXPECT_THAT(scan(many), IsEmpty());
  EXPECT_EQ(report(ScanReport::InvalidAircraftCfgFiles).size(), 1u);
  EXPECT_THAT(scan("[fltsim.0]\ntitle=" + std::string(1 << 20, 'x') + "\nsim=x\natc_parking_codes=KLM\n[General]\n"
                   "atc_model=B738\n"),
              testing::SizeIs(1));
}

}  // namespace
}  // namespace tfx

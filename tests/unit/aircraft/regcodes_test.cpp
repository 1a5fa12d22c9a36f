#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aircraft/regcode_files.h"
#include "aircraft/regcode_set_up.h"
#include "core/log.h"
#include "livery_fixture.h"
#include "test_support.h"

namespace tfx {
namespace {

using ::testing::ElementsAre;

TEST(RegcodeFiles, UserLinesGiveDontUseTitlesRegistrationsAndSpecials) {
  LogCapture log;
  RegcodeRead read;
  readUserRegcodeLines({"Unwanted title", "KLM 738;PH-BXB, PH-BXA,PH-BXA", "Special;PH-ABC;#", "Third;PH-ABD;x",
                        "Short;AB", "Long;ABCDEFGHIJKLM,PH-OK1", "a;b;c;d", "", "  ", ";PH-XYZ"},
                       "mine.txt", read);
  ASSERT_EQ(read.entries.size(), 5u);
  EXPECT_EQ(read.entries[0].title, "Unwanted title");
  EXPECT_TRUE(read.entries[0].registrations.empty());
  EXPECT_THAT(read.entries[1].registrations, ElementsAre("PH-BXA", "PH-BXB"));
  EXPECT_TRUE(read.entries[2].special);
  EXPECT_FALSE(read.entries[3].special);
  EXPECT_THAT(read.entries[4].registrations, ElementsAre("PH-OK1"));
  EXPECT_TRUE(read.failed);
  EXPECT_THAT(dontUseTitlesOf(read), ElementsAre("Unwanted title"));
  EXPECT_TRUE(log.contains("wrong regcode length 'AB' in mine.txt"));
  EXPECT_TRUE(log.contains("Short ; regs empty?"));
  EXPECT_TRUE(log.contains("wrong regcode length 'ABCDEFGHIJKLM' in mine.txt"));
  EXPECT_TRUE(log.contains("mine.txt: wrong format 'a;b;c;d'"));
  EXPECT_TRUE(log.contains("mine.txt: wrong format ';PH-XYZ'"));
}

TEST(RegcodeFiles, AigListKeepsGoodEntriesAndFlagsRepeatedTitles) {
  test::TempDir folder;
  test::writeFile(folder / "aig.xml", R"(<AIG-regcodes>
    <livery title="KLM 738 A" reg="PH-BXA, PH-BXC"/>
    <livery title="KLM 738 A" reg="PH-BXD"/>
    <livery title="" reg="PH-BXE"/>
    <livery title="Never" reg=""/>
    <livery title="Special one" reg="HB-JHQ" special="yes"/>
  </AIG-regcodes>)");
  LogCapture log;
  const RegcodeRead read = readAigRegcodeFile(folder / "aig.xml");
  EXPECT_TRUE(read.failed);
  ASSERT_EQ(read.entries.size(), 4u);
  EXPECT_THAT(read.entries[0].registrations, ElementsAre("PH-BXA", "PH-BXC"));
  EXPECT_TRUE(read.entries[3].special);
  EXPECT_THAT(dontUseTitlesOf(read), ElementsAre("Never"));
  EXPECT_TRUE(log.contains("SAME AS PREVIOUS title 'KLM 738 A'"));
  EXPECT_TRUE(log.contains("4 liveries read from "));
  test::writeFile(folder / "broken.xml", "<AIG-regcodes><livery");
  EXPECT_TRUE(readAigRegcodeFile(folder / "broken.xml").failed);
}

class RegcodeMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_.build({{"KLM", "B738", "KLM A", "PH-BXA", 1, false},
                   {"KLM", "B738", "KLM B", "PH-BXA", 1, false},
                   {"KLM", "B738", "KLM C", "PH-BXC", 1, false}},
                  database_);
  }
  test::TempDir folder_;
  test::ScopedCurrentDir inside_{folder_.path()};
  AircraftDatabase database_ = test::fixtureDatabase();
  LiveryTables tables_;
};

TEST_F(RegcodeMerge, FirstLiveryKeepsAnInlineRegistrationAndTheClashIsReported) {
  const auto clashes = lf_processInlineRegcodes(
      {{"KLM", "B738", "KLM A", "PH-BXA", 1, false}, {"KLM", "B738", "KLM B", "PH-BXA", 1, false}}, tables_);
  EXPECT_THAT(clashes, ElementsAre("PH-BXA 'KLM B' => already in use by 'KLM A'"));
  EXPECT_EQ(test::readFile("output/errors/InlineRegcodes.txt"), "PH-BXA 'KLM B' => already in use by 'KLM A'\n");
  EXPECT_EQ(tables_.specialLivery("PH-BXA"), "KLM A");
}

TEST_F(RegcodeMerge, ListsReplaceInlineTiesAndIgnoreTitlesNotInstalled) {
  lf_processInlineRegcodes({{"KLM", "B738", "KLM A", "PH-BXA", 1, false}}, tables_);
  std::vector<std::string> report;
  const std::string summary = mergeRegcodes({RegcodeEntry{"KLM B", {"PH-BXA", "PH-BXB"}, true},
                                             RegcodeEntry{"Not installed", {"PH-XXX"}, false},
                                             RegcodeEntry{"KLM C", {"PH-BXC"}, false}},
                                            tables_, report);
  EXPECT_EQ(summary, "2 new regcodes added, 1 regcode replaced, 2 regcodes defined as special");
  EXPECT_THAT(report, ElementsAre("   regcode PH-BXA for 'KLM B', instead of the same for 'KLM A'", summary));
  EXPECT_EQ(tables_.specialLivery("PH-BXA"), "KLM B");
  EXPECT_EQ(tables_.specialLivery("PH-XXX"), "");
  EXPECT_THAT(tables_.specialTitles(), ElementsAre("KLM B"));
  EXPECT_EQ(tables_.specialRegistrations().size(), 2u);
}

}  // namespace
}  // namespace tfx

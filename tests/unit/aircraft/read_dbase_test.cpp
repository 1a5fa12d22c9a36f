#include <gtest/gtest.h>

#include "aircraft/aircraft_queries.h"
#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "data/stream_encrypt.h"
#include "dbase_fixture.h"
#include "runstate/user_error.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

// An install folder as the current folder, with input/dbase.enc made from text.
class ReadDbase : public ::testing::Test {
 protected:
  ReadDbase() : currentDir_(folder_.path()) { fs::create_directories(paths::input); }

  void install(const std::string& xml) {
    test::writeFile(folder_ / "source.xml", xml);
    streamEncrypt(folder_ / "source.xml", paths::dbaseEnc);
  }

  test::TempDir folder_;
  test::ScopedCurrentDir currentDir_;
  LogCapture log_;
};

TEST_F(ReadDbase, FillsTheProcessWideDatabaseAndDeletesThePlainFile) {
  install(test::fixtureDbaseXml());

  EXPECT_TRUE(gf_readDbase());

  EXPECT_FALSE(fs::exists(paths::dbaseXml));
  EXPECT_TRUE(fs::exists(paths::dbaseEnc));
  EXPECT_EQ(log_.lines().back(), "10 dbase records read");
  EXPECT_TRUE(gf_validAcType("B738"));
  EXPECT_TRUE(gf_validAirline("KLM"));
  EXPECT_EQ(gf_acCategory("MD11"), AircraftCategory::Large);
  EXPECT_NEAR(gf_halfWingspan("B738"), 0.009665, 1e-6);
  EXPECT_NEAR(gf_largestHalfWingspan(), 45.0 / 1852, 1e-9);
  EXPECT_EQ(gf_findRegcode("PHBXA")->airline, "KLM");
  EXPECT_EQ(gf_publisherFromFilename("fly tampa.bgl"), "FlyTampa");
  EXPECT_EQ(gf_similarTypes().size(), 2u);
  EXPECT_EQ(gf_publisherGroups().size(), 2u);
  EXPECT_TRUE(gf_simAddonAirports().contains("LOWI"));
  EXPECT_EQ(gf_thirdPartyAirports().at(0).airports.at(1), "KBOS");
}

TEST_F(ReadDbase, MissingOrUndecryptableFilesAreRuntimeErrors) {
  try {
    gf_readDbase();
    ADD_FAILURE() << "read without a file";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "input/dbase.enc not available");
  }

  test::writeFile(paths::dbaseEnc, std::string(200, 'x'));
  try {
    gf_readDbase();
    ADD_FAILURE() << "read a damaged file";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "input/dbase.enc stream decrypt failed");
  }
  EXPECT_TRUE(log_.contains("gf_streamDecrypt exception: Decryption failed"));
  EXPECT_FALSE(fs::exists(paths::dbaseXml));
}

TEST_F(ReadDbase, BadXmlIsError60AndAFailedReadKeepsTheEarlierDatabase) {
  install(test::fixtureDbaseXml());
  ASSERT_TRUE(gf_readDbase());

  install("<aircrafts><aircraft types=\"B738\"></aircrafts>");
  try {
    gf_readDbase();
    ADD_FAILURE() << "read broken XML";
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 60);
    EXPECT_EQ(error.message(), "'input/dbase.xml' not read because of Start-end tags mismatch");
  }
  EXPECT_FALSE(fs::exists(paths::dbaseXml));

  install(test::fixtureDbaseXml({"simaddonsP3D"}));
  EXPECT_THROW(gf_readDbase(), UserErrorException);
  EXPECT_FALSE(fs::exists(paths::dbaseXml));
  EXPECT_TRUE(gf_findRegcode("PH-BXA").has_value());
}

TEST_F(ReadDbase, AnUnreadableFileFallsBackToTheOneItReplaced) {
  test::ScratchHome home;
  install(test::fixtureDbaseXml());
  fs::rename(paths::dbaseEnc, "input/dbase.enc.previous");
  // Cut at a chunk boundary: it decrypts, but the database is not whole.
  test::writeFile(folder_ / "long.xml", std::string(9000, ' ') + test::fixtureDbaseXml());
  streamEncrypt(folder_ / "long.xml", folder_ / "long.enc");
  test::writeFile(paths::dbaseEnc, test::readFile(folder_ / "long.enc").substr(0, 24 + 4113));
  DBASE_VERSION.set("2.0.0");

  EXPECT_THROW(checkDbaseFile(paths::dbaseEnc), UserErrorException);
  EXPECT_TRUE(gf_readDbase());

  EXPECT_TRUE(gf_validAcType("B738"));
  EXPECT_TRUE(log_.contains("; reading the previous input/dbase.enc.previous instead"));
  EXPECT_EQ(DBASE_VERSION.value(), "") << "the next start fetches the data set again";
  EXPECT_FALSE(fs::exists(paths::dbaseXml));
  EXPECT_NO_THROW(checkDbaseFile("input/dbase.enc.previous"));
  EXPECT_FALSE(fs::exists("input/dbase.enc.previous.xml"));
}

}  // namespace
}  // namespace tfx

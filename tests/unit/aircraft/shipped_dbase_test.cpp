// The database the program ships: data/dbase.xml, encrypted by the build.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "aircraft/aircraft_queries.h"
#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/log.h"
#include "data/stream_decrypt.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

class ShippedDbase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::TempDir folder;
    test::ScopedCurrentDir currentDir(folder.path());
    fs::create_directories(paths::input);
    fs::copy_file(test::binaryDir() / "input" / "dbase.enc", paths::dbaseEnc);
    LogCapture log;
    ASSERT_TRUE(gf_readDbase());
    recordsLine_ = log.lines().back();
  }

  static inline std::string recordsLine_;
};

TEST_F(ShippedDbase, HoldsThousandsOfRealRegistrations) {
  size_t records = 0;
  ASSERT_EQ(std::sscanf(recordsLine_.c_str(), "%zu dbase records read", &records), 1) << recordsLine_;
  EXPECT_GT(records, 1000u);

  const auto klm = gf_findRegcode("PHBCA");
  ASSERT_TRUE(klm.has_value());
  EXPECT_EQ(klm->airline, "KLM");
  EXPECT_EQ(klm->type, "B738");
  EXPECT_EQ(klm->operatorName, "");  // KLM flies its own colours
  // An operator in another airline's colours: the livery's code, then the operator's.
  const auto eagle = gf_findRegcode("N101HQ");
  ASSERT_TRUE(eagle.has_value());
  EXPECT_EQ(eagle->airline, "AAL");
  EXPECT_EQ(eagle->operatorName, "RPA");
  EXPECT_FALSE(klm->cargo);
  const auto swiss = gf_findRegcode("HB-JNA");
  ASSERT_TRUE(swiss.has_value());
  EXPECT_EQ(swiss->type, "B773");
  for (const char* airline : {"KLM", "SWR", "EDW", "FDX", "UPS", "GTI", "CLX", "DAL"}) {
    EXPECT_TRUE(gf_validAirline(airline)) << airline;
  }
}

TEST_F(ShippedDbase, TypesHaveTheirRealCategoriesAndSpans) {
  EXPECT_EQ(gf_acCategory("B738"), AircraftCategory::Large);
  EXPECT_NEAR(gf_halfWingspan("B738"), 0.0096, 0.0001);
  EXPECT_EQ(gf_acCategory("A388"), AircraftCategory::Heavy);
  EXPECT_EQ(gf_acCategory("B77W"), AircraftCategory::Heavy);
  EXPECT_EQ(gf_acCategory("C172"), AircraftCategory::Light);
  EXPECT_EQ(gf_acCategory("C56X"), AircraftCategory::Buzjets);
  EXPECT_EQ(gf_acCategory("EC35"), AircraftCategory::Rotorcraft);
  EXPECT_EQ(gf_acCategory("F16"), AircraftCategory::HighPerf);
  EXPECT_EQ(gf_acCategory("DH8D"), AircraftCategory::Large);
  // The An-225 spans 88.4 m.
  EXPECT_NEAR(gf_largestHalfWingspan(), 44.2 / 1852, 1e-6);

  for (const auto& group : gf_similarTypes()) {
    for (const std::string& type : group) EXPECT_TRUE(gf_validAcType(type)) << type;
  }
  EXPECT_EQ(gf_publisherFromFilename("FlyTampa_EHAM_AF2.bgl"), "FlyTampa");
  EXPECT_FALSE(gf_simAddonAirports().empty());
}

}  // namespace
}  // namespace tfx

#include <gtest/gtest.h>

#include <string>

#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "data/stream_encrypt.h"
#include "data/version_check.h"
#include "loopback_site.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::LoopbackSite;
using test::readFile;
using test::writeFile;

// An install folder with its settings file, and the site the check asks.
class VersionCheck : public ::testing::Test {
 protected:
  VersionCheck() : currentDir_(home_.installFolder()) {
    test::resetProgramState();
    createDataFolder();
    std::filesystem::create_directories(paths::input);
  }
  ~VersionCheck() override { test::resetProgramState(); }

  static std::string versions(const std::string& aig, const std::string& dbase) {
    std::string members;
    if (!aig.empty()) members += "\"aig\": " + aig;
    if (!aig.empty() && !dbase.empty()) members += ", ";
    if (!dbase.empty()) members += "\"dbase\": " + dbase;
    return "{" + members + "}";
  }

  std::string savedSettings() const { return readFile(parametersFile()); }

  // A data file as the site publishes it.
  static std::string encrypted(const std::string& plain, const DataFileKey& key = dataFileKey()) {
    test::TempDir folder;
    writeFile(folder / "plain", plain);
    streamEncrypt(folder / "plain", folder / "data.enc", key);
    return readFile(folder / "data.enc");
  }

  // Encryption draws a fresh nonce: each file is made once.
  const std::string publishedDbase_ = encrypted("published dbase");
  const std::string publishedAig_ = encrypted("published aig");
  test::ScratchHome home_;
  test::ScopedCurrentDir currentDir_;
  LoopbackSite site_;
  LogCapture log_;
};

TEST_F(VersionCheck, DownloadsANewerDataSetAndRecordsItsVersion) {
  AIG_VERSION.set("1.0.0");
  DBASE_VERSION.set("1.9.9");
  writeFile(paths::aigRegcodesEnc, "installed aig");
  writeFile(paths::dbaseEnc, "installed dbase");
  site_.publish("versions.json", versions(R"({"major": 1, "minor": 0, "patch": 0})",
                                          R"({"major": 1, "minor": 10, "patch": 0})"));
  site_.publish("dbase.enc", publishedDbase_);
  site_.publish("AIG-regcodes.enc", publishedAig_);

  gf_checkDataVersions({}, site_.baseUrl());

  EXPECT_EQ(readFile(paths::aigRegcodesEnc), "installed aig");
  EXPECT_EQ(readFile(paths::dbaseEnc), publishedDbase_);
  EXPECT_EQ(AIG_VERSION.value(), "1.0.0");
  EXPECT_EQ(DBASE_VERSION.value(), "1.10.0");
  EXPECT_NE(savedSettings().find(R"(name="DBASE_VERSION" value="1.10.0")"), std::string::npos);
  EXPECT_EQ(log_.lines(), (std::vector<std::string>{
                              "aig version up-to-date",
                              "Downloaded '" + site_.baseUrl() + "dbase.enc' to 'input/dbase.enc.download'",
                              "dbase updated to 1.10.0",
                          }));
  EXPECT_EQ(site_.requestedPaths(), (std::vector<std::string>{"/downloads/versions.json", "/downloads/dbase.enc"}));
  EXPECT_TRUE(std::filesystem::exists("versions.json"));
  EXPECT_EQ(readFile("input/dbase.enc.previous"), "installed dbase");
  EXPECT_FALSE(std::filesystem::exists("input/dbase.enc.download"));
}

TEST_F(VersionCheck, AMissingLocalFileIsFetchedEvenAtTheSameVersion) {
  AIG_VERSION.set("2.1.0");
  DBASE_VERSION.set("1.9.9");
  site_.publish("versions.json", versions(R"({"major": 2, "minor": 1, "patch": 0})",
                                          R"({"major": 1, "minor": 9, "patch": 9})"));
  site_.publish("dbase.enc", publishedDbase_);
  site_.publish("AIG-regcodes.enc", publishedAig_);

  gf_checkDataVersions({}, site_.baseUrl());

  EXPECT_EQ(readFile(paths::dbaseEnc), publishedDbase_);
  EXPECT_EQ(readFile(paths::aigRegcodesEnc), publishedAig_);
  EXPECT_TRUE(log_.contains("aig updated to 2.1.0"));
  EXPECT_TRUE(log_.contains("dbase updated to 1.9.9"));
}

TEST_F(VersionCheck, AnUnreachableVersionFileChangesNothing) {
  DBASE_VERSION.set("1.0.0");
  writeFile(paths::dbaseEnc, "installed dbase");

  gf_checkDataVersions({}, site_.baseUrl());

  EXPECT_EQ(log_.lines(), std::vector<std::string>{"Downloading version info from my web site failed!"});
  EXPECT_FALSE(std::filesystem::exists("versions.json"));
  EXPECT_EQ(readFile(paths::dbaseEnc), "installed dbase");
  EXPECT_EQ(DBASE_VERSION.value(), "1.0.0");
}

TEST_F(VersionCheck, AMissingMemberIsLoggedAndTheOtherStillChecked) {
  DBASE_VERSION.set("1.0.0");
  writeFile(paths::dbaseEnc, "installed dbase");
  site_.publish("versions.json", versions("", R"({"major": 1, "minor": 0, "patch": 1})"));
  site_.publish("dbase.enc", publishedDbase_);

  gf_checkDataVersions({}, site_.baseUrl());

  EXPECT_EQ(log_.lines().front(), "aig version not found");
  EXPECT_EQ(log_.lines().back(), "dbase updated to 1.0.1");
  EXPECT_EQ(readFile(paths::dbaseEnc), publishedDbase_);
}

TEST_F(VersionCheck, AFailedDataDownloadKeepsFileAndVersion) {
  AIG_VERSION.set("1.0.0");
  DBASE_VERSION.set("1.0.0");
  writeFile(paths::aigRegcodesEnc, "installed aig");
  writeFile(paths::dbaseEnc, "installed dbase");
  site_.publish("versions.json", versions(R"({"major": 1, "minor": 0, "patch": 0})",
                                          R"({"major": 3, "minor": 0, "patch": 0})"));

  gf_checkDataVersions({}, site_.baseUrl());

  EXPECT_TRUE(log_.contains("Downloading '" + site_.baseUrl() + "dbase.enc' failed !"));
  EXPECT_FALSE(log_.contains("updated"));
  EXPECT_EQ(readFile(paths::dbaseEnc), "installed dbase");
  EXPECT_EQ(DBASE_VERSION.value(), "1.0.0");
}

TEST_F(VersionCheck, ADamagedDownloadKeepsTheInstalledFileAndVersion) {
  DataFileKey otherKey = dataFileKey();
  otherKey[0] ^= 0x5a;
  const std::string whole = encrypted(std::string(10000, 'x'));
  for (const auto& [what, published] : {std::pair{"truncated", whole.substr(0, whole.size() - 100)},
                                        std::pair{"wrongly keyed", encrypted("published", otherKey)}}) {
    log_.takeLines();
    DBASE_VERSION.set("1.0.0");
    writeFile(paths::dbaseEnc, "installed dbase");
    site_.publish("versions.json", versions("", R"({"major": 1, "minor": 1, "patch": 0})"));
    site_.publish("dbase.enc", published);

    gf_checkDataVersions({}, site_.baseUrl());

    EXPECT_EQ(readFile(paths::dbaseEnc), "installed dbase") << what;
    EXPECT_EQ(DBASE_VERSION.value(), "1.0.0") << what;
    EXPECT_FALSE(std::filesystem::exists("input/dbase.enc.download")) << what;
    EXPECT_TRUE(log_.contains("dbase 1.1.0 from the web site is not usable (it does not decrypt), keeping the installed file"))
        << what;
  }
}

TEST_F(VersionCheck, ADownloadFailingItsOwnCheckIsNotInstalled) {
  DBASE_VERSION.set("1.0.0");
  writeFile(paths::dbaseEnc, "installed dbase");
  site_.publish("versions.json", versions("", R"({"major": 1, "minor": 0, "patch": 1})"));
  site_.publish("dbase.enc", encrypted("<not a database"));
  const DataFileChecks checks{.dbase = [](const std::filesystem::path&) { throw std::runtime_error("no records"); }};

  gf_checkDataVersions(checks, site_.baseUrl());

  EXPECT_EQ(readFile(paths::dbaseEnc), "installed dbase");
  EXPECT_EQ(DBASE_VERSION.value(), "1.0.0");
  EXPECT_TRUE(log_.contains("dbase 1.0.1 from the web site is not usable (no records), keeping the installed file"));
}

TEST_F(VersionCheck, BadVersionTextsAreThrownAndBadVersionInfoIsLogged) {
  site_.publish("versions.json", versions(R"({"major": 1, "minor": 0, "patch": 0})", ""));
  AIG_VERSION.set("11.0");
  EXPECT_THROW(gf_checkDataVersions({}, site_.baseUrl()), std::runtime_error);

  // A fresh install has recorded no version: anything published is newer.
  AIG_VERSION.set("");
  writeFile(paths::aigRegcodesEnc, "installed aig");
  site_.publish("AIG-regcodes.enc", publishedAig_);
  gf_checkDataVersions({}, site_.baseUrl());
  EXPECT_EQ(AIG_VERSION.value(), "1.0.0");

  // Broken JSON, a portal's page and a member of the wrong shape all read as
  // a failed download.
  for (const char* answer : {"{\"aig\": {\"major\": 1}", "<html><body>Please log in</body></html>",
                             "{\"aig\": {\"major\": \"2\", \"minor\": 0, \"patch\": 0}}"}) {
    log_.takeLines();
    site_.publish("versions.json", answer);
    EXPECT_NO_THROW(gf_checkDataVersions({}, site_.baseUrl())) << answer;
    ASSERT_EQ(log_.lines().size(), 1u) << answer;
    EXPECT_TRUE(log_.lines().front().starts_with("The version info from my web site is not readable: ")) << answer;
    EXPECT_EQ(AIG_VERSION.value(), "1.0.0");
  }
}

// This machine, like a user's without internet, cannot reach the real site:
// the start logs it and goes on.
TEST_F(VersionCheck, TheRealSiteUnreachableIsLoggedAndSkipped) {
  writeFile(paths::dbaseEnc, "installed dbase");

  gf_checkDataVersions();

  EXPECT_EQ(log_.lines(), std::vector<std::string>{"Downloading version info from my web site failed!"});
  EXPECT_EQ(readFile(paths::dbaseEnc), "installed dbase");
}

}  // namespace
}  // namespace tfx

#include <gtest/gtest.h>

#include "core/log.h"
#include "data/curl_session.h"
#include "data/download.h"
#include "loopback_site.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::LoopbackSite;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(Download, FetchesBytesUnchangedAndNamesItselfAshd) {
  LoopbackSite site;
  TempDir folder;
  const std::string bytes("line\r\nwith\0zero and \xff high bytes", 33);
  site.publish("dbase.enc", bytes);
  site.publish("P3D/EHAM.xml", "<stands/>");

  CurlHandle handle = makeCurlHandle();
  ASSERT_TRUE(gf_download(handle.get(), site.baseUrl() + "dbase.enc", folder / "dbase.enc", true));
  ASSERT_TRUE(gf_download(handle.get(), site.baseUrl() + "P3D/EHAM.xml", folder / "EHAM.xml", false));

  EXPECT_EQ(readFile(folder / "dbase.enc"), bytes);
  EXPECT_EQ(readFile(folder / "EHAM.xml"), "<stands/>");
  EXPECT_EQ(site.userAgents(), (std::vector<std::string>{"ASHD", "ASHD"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(Download, AnEmptyFileArrivesEmptyAndAWriteFailureIsNamed) {
  LoopbackSite site;
  TempDir folder;
  site.publish("empty.xml", "");
  site.publish("dbase.enc", "x");
  CurlHandle handle = makeCurlHandle();
  ASSERT_TRUE(gf_download(handle.get(), site.baseUrl() + "empty.xml", folder / "empty.xml", true));
  EXPECT_EQ(readFile(folder / "empty.xml"), "");

  // The folder is there, its file is not writable: a folder by the partial file's name.
  std::filesystem::create_directory(folder / "dbase.enc.download");
  LogCapture log;
  EXPECT_FALSE(gf_download(handle.get(), site.baseUrl() + "dbase.enc", folder / "dbase.enc", true));
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Could not open output file: " + (folder / "dbase.enc").string()});
  EXPECT_FALSE(std::filesystem::exists(folder / "dbase.enc"));
}

TEST(Download, ServerErrorsFailAndLeaveTheInstalledFileAlone) {
  LoopbackSite site;
  TempDir folder;
  writeFile(folder / "dbase.enc", "installed");
  LogCapture log;

  EXPECT_FALSE(gf_downloadByName("dbase.enc", folder / "dbase.enc", site.baseUrl()));

  EXPECT_EQ(readFile(folder / "dbase.enc"), "installed");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Downloading '" + site.baseUrl() + "dbase.enc' failed !"});
}

TEST(Download, ByNameLogsWhereTheFileWent) {
  LoopbackSite site;
  TempDir folder;
  site.publish("AIG-regcodes.enc", "fresh");
  writeFile(folder / "AIG-regcodes.enc", "old");
  LogCapture log;

  EXPECT_TRUE(gf_downloadByName("AIG-regcodes.enc", folder / "AIG-regcodes.enc", site.baseUrl()));

  EXPECT_EQ(readFile(folder / "AIG-regcodes.enc"), "fresh");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Downloaded '" + site.baseUrl() + "AIG-regcodes.enc' to '" +
                                                  (folder / "AIG-regcodes.enc").string() + "'"});
}

TEST(Download, NeedsAHandleAndAWritableTarget) {
  LoopbackSite site;
  TempDir folder;
  site.publish("dbase.enc", "x");
  LogCapture log;

  EXPECT_FALSE(gf_download(nullptr, site.baseUrl() + "dbase.enc", folder / "dbase.enc", true));
  CurlHandle handle = makeCurlHandle();
  const auto unwritable = folder / "missing-folder" / "dbase.enc";
  EXPECT_FALSE(gf_download(handle.get(), site.baseUrl() + "dbase.enc", unwritable, true));

  EXPECT_TRUE(site.requestedPaths().empty());
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Could not open output file: " + unwritable.string()});
}

}  // namespace
}  // namespace tfx

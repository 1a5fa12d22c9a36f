// The generator of the shipped database, run on the shared raw data: what it
// writes must read back through the program's own reader.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <fmt/format.h>
#include <set>

#include "aircraft/aircraft_queries.h"
#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/log.h"
#include "data/stream_encrypt.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

std::set<std::string> timetableRegistrations(const fs::path& folder) {
  std::set<std::string> registrations;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".xml") continue;
    pugi::xml_document document;
    if (!document.load_file(entry.path().c_str())) continue;
    for (const auto& node : document.select_nodes("//aircraft/registration")) {
      registrations.insert(node.node().text().as_string());
    }
  }
  return registrations;
}

TEST(GeneratedDbase, ReadsBackWithEveryTimetableRegistration) {
  const auto shared = test::sharedDataFolder();
  test::TempDir output;
  const std::string command = fmt::format("python3 '{}' --shared-data '{}' --output-dir '{}'",
                                          (test::sourceDir() / "data" / "generate_dbase.py").string(), shared.string(),
                                          output.path().string());
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  test::ScopedCurrentDir currentDir(output / "install");
  fs::create_directories(paths::input);
  streamEncrypt(output / "dbase.xml", paths::dbaseEnc);
  LogCapture log;
  ASSERT_TRUE(gf_readDbase());
  EXPECT_FALSE(log.contains("===> "));

  const std::set<std::string> registrations = timetableRegistrations(shared / "fg-ai-timetables");
  ASSERT_FALSE(registrations.empty());
  EXPECT_EQ(log.lines().back(), fmt::format("{} dbase records read", registrations.size()));
  for (const std::string& registration : registrations) {
    const auto record = gf_findRegcode(registration);
    ASSERT_TRUE(record.has_value()) << registration;
    EXPECT_TRUE(gf_validAcType(record->type)) << registration;
    EXPECT_TRUE(gf_validAirline(record->airline)) << registration;
  }
  EXPECT_EQ(gf_acCategory("B738"), AircraftCategory::Large);
  EXPECT_EQ(gf_acCategory("A388"), AircraftCategory::Heavy);

  // The starting registration list ties real registrations to titles.
  pugi::xml_document regcodes;
  ASSERT_TRUE(regcodes.load_file((output / "AIG-regcodes.xml").c_str()));
  size_t liveries = 0;
  for (pugi::xml_node livery : regcodes.child("AIG-regcodes").children("livery")) {
    ++liveries;
    EXPECT_TRUE(registrations.contains(livery.attribute("reg").as_string()));
    EXPECT_TRUE(std::string_view(livery.attribute("title").as_string()).ends_with(livery.attribute("reg").as_string()));
  }
  EXPECT_GT(liveries, 10u);
}

}  // namespace
}  // namespace tfx

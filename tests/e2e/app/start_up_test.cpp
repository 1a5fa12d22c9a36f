// The program binary started in a folder of its own, as a user starts it.
#include <gtest/gtest.h>
#include <pugixml.hpp>


#include "eventually.h"
#include "installed_liveries.h"
#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;
using test::readFile;

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    fs::create_directories(install_ / "docs");
    fs::create_directories(install_ / "input");
    for (const char* shipped : {"dbase.enc", "AIG-regcodes.enc", "airports_p3d.xml"}) {
      fs::copy_file(test::binaryDir() / "input" / shipped, install_ / "input" / shipped);
    }
    fs::create_directories(config_);
    fs::create_directories(runtime_);
    test::installAddOnLiveries(config_, root_ / "addons" / "Test_AI");
    // The program opens its web window with xdg-open (WEB_WINDOW_OPEN is on
    // by default and many of these starts have no settings yet): here that
    // only notes the address, and no browser starts.
    test::writeFile(opener_ / "xdg-open", "#!/bin/sh\necho \"$1\" >> \"" + opened_.string() + "\"\n");
    fs::permissions(opener_ / "xdg-open", fs::perms::owner_all);
  }

  // Runs the program until it ends by itself or its start is over (it waits
  // for the simulator); after an error shown to the user it waits for the
  // window to be closed, which SIGTERM does.
  int runProgram(const fs::path& program = TFX_PROGRAM, const fs::path& folder = {}) {
    test::ChildProcessOptions options;
    options.workingDirectory = folder.empty() ? install_ : folder;
    options.environment = {{"XDG_CONFIG_HOME", config_.string()},
                           {"XDG_RUNTIME_DIR", runtime_.string()},
                           {"XDG_DATA_HOME", programData_.string()},
                           {"PATH", opener_.string() + ":" + std::getenv("PATH")}};
    const fs::path log = options.workingDirectory / "Log.txt";
    const std::string previousLog = readFile(log);
    test::ChildProcess child(program, {}, options);
    // The log of this run: the previous one has moved to Log0.txt.
    auto thisRunsLog = [&] {
      return previousLog.empty() || readFile(options.workingDirectory / "Log0.txt") == previousLog;
    };
    test::eventually(
        [&] {
          if (!child.running()) return true;
          if (!thisRunsLog()) return false;
          const std::string text = readFile(log);
          return text.find("Exiting: ") != std::string::npos || text.find("Waiting for Prepar3Dv") != std::string::npos;
        },
        std::chrono::seconds(30));
    child.terminate();
    return child.waitFor(std::chrono::seconds(30)).value_or(-1);
  }

  fs::path parametersFile() const { return config_ / "Aeroshadow_P3D" / "parameters.xml"; }

  std::optional<std::string> stored(const std::string& name) const {
    pugi::xml_document document;
    document.load_file(parametersFile().c_str());
    auto node = document.select_node(("/parameters/parameter[@name='" + name + "']").c_str()).node();
    if (!node) return std::nullopt;
    return std::string(node.attribute("value").as_string());
  }

  // A simulator folder with its stock scenery.
  std::string simulatorFolder() const {
    fs::create_directories(root_ / "P3D v5" / "Scenery");
    return (root_ / "P3D v5").string();
  }

  test::TempDir root_;
  fs::path install_ = root_ / "install";
  fs::path config_ = root_ / "config";
  fs::path runtime_ = root_ / "run";
  fs::path programData_ = root_ / "share";
  fs::path opener_ = root_ / "bin";
  fs::path opened_ = root_ / "opened.txt";
};

TEST_F(StartUpTest, FirstStartLaysOutSettingsFoldersAndLog) {
  // Nothing tells the program where the simulator is: it asks the user for the path.
  EXPECT_NE(runProgram(), 0);
  const std::string log = readFile(install_ / "Log.txt");
  EXPECT_EQ(log.find(" (utc) Aeroshadow_P3D version 11.0.2 for Prepar3D v5/v6\n"), 24u) << log;
  EXPECT_NE(log.find("not found, default values taken:"), std::string::npos);
  EXPECT_NE(log.find("Downloading version info from my web site failed!"), std::string::npos);
  EXPECT_NE(log.find(" dbase records read"), std::string::npos);
  EXPECT_FALSE(fs::exists(install_ / "input" / "dbase.xml"));
  EXPECT_NE(log.find(" airports read from 'input/airports_p3d.xml'"), std::string::npos);
  EXPECT_LT(log.find(" dbase records read"), log.find(" airports read from"));
  EXPECT_NE(log.find("P3D not detected?"), std::string::npos);
  EXPECT_NE(log.find("Error No P3D install path detected, type full Install Path above, and press Enter"),
            std::string::npos);

  EXPECT_EQ(stored("PROGRAM_VERSION"), "11.0.2");
  EXPECT_EQ(stored("MAX_LIVE_SEL"), "500");
  EXPECT_FALSE(stored("lfolder0"));
  EXPECT_EQ(stored("PROGRAM_INSTALL_PATH"), fs::path(TFX_PROGRAM).parent_path().string());
  for (const char* folder : {"output/info", "output/errors", "airports/learned/stock", "airports/my_thirdparty",
                             "input/my_regcodes"}) {
    EXPECT_TRUE(fs::is_directory(install_ / folder)) << folder;
  }
}

TEST_F(StartUpTest, UnreadableAirportDatabaseStopsWithItsError) {
  test::writeFile(install_ / "input" / "airports_p3d.xml", "<airports><airport code=");
  EXPECT_NE(runProgram(), 0);
  const std::string log = readFile(install_ / "Log.txt");
  EXPECT_NE(log.find("88: input/airports_p3d.xml not loaded: "), std::string::npos) << log;
  EXPECT_EQ(log.find(" airports read from"), std::string::npos);
}

TEST_F(StartUpTest, EachStartKeepsTheTwoEarlierLogs) {
  test::writeFile(parametersFile(), "");
  for (int run = 0; run < 3; ++run) runProgram();
  const std::string first = readFile(install_ / "Log00.txt");
  const std::string second = readFile(install_ / "Log0.txt");
  const std::string third = readFile(install_ / "Log.txt");
  // The first run found no settings, the later ones read the file it wrote.
  EXPECT_NE(first.find("default values taken"), std::string::npos);
  EXPECT_NE(second.find("from '"), std::string::npos);
  EXPECT_NE(third.find("from '"), std::string::npos);
  // Each run opened its web window, as WEB_WINDOW_OPEN is on by default;
  // the opener runs in the background.
  const auto openings = [&] {
    const std::string opened = readFile(opened_);
    return std::count(opened.begin(), opened.end(), '\n');
  };
  EXPECT_TRUE(test::eventually([&] { return openings() == 3; }, std::chrono::seconds(10))) << openings();
  const std::string opened = readFile(opened_);
  EXPECT_TRUE(opened.starts_with("http://127.0.0.1:")) << opened;
}

TEST_F(StartUpTest, RefusesToRunOutsideItsFolder) {
  const fs::path elsewhere = root_ / "elsewhere";
  fs::create_directories(elsewhere);
  EXPECT_NE(runProgram(TFX_PROGRAM, elsewhere), 0);
  EXPECT_NE(readFile(elsewhere / "Log.txt").find("Aeroshadow_P3D must be run from the Aeroshadow_P3D folder!"),
            std::string::npos);
  // The settings were never read, so none was written with a default.
  EXPECT_FALSE(stored("PROGRAM_VERSION"));
}

TEST_F(StartUpTest, SettingsOfAnOlderVersionAreConverted) {
  test::writeFile(parametersFile(),
                  "<parameters>"
                  "<parameter name=\"PROGRAM_VERSION\" value=\"10.4.0\"/>"
                  "<parameter name=\"MAX_LIVE\" value=\"60\"/>"
                  "<parameter name=\"SCAN_LIVERIES\" value=\"false\"/>"
                  "<parameter name=\"SIM_INSTALL_PATH\" value=\"" + simulatorFolder() + "\"/>"
                  "</parameters>");
  EXPECT_EQ(runProgram(), 0);
  EXPECT_EQ(stored("MAX_LIVE_SEL"), "50");
  EXPECT_FALSE(stored("MAX_LIVE"));
  // The update asks for both scans, which this very start runs.
  EXPECT_EQ(stored("SCAN_LIVERIES"), "false");
  EXPECT_EQ(stored("SCAN_AIRPORTS"), "false");
  EXPECT_EQ(stored("PROGRAM_VERSION"), "11.0.2");
  const std::string log = readFile(install_ / "Log.txt");
  EXPECT_NE(log.find("This is a version update from 10.4.0 -> 11.0.2"), std::string::npos);
  EXPECT_LT(log.find("This is a version update"), log.find("liveries scan automatic starts"));
}

TEST_F(StartUpTest, RadiusIsClampedToItsBoundsOnly) {
  for (const auto& [text, expected] : {std::pair{"7", "RANGE=7"}, std::pair{"500", "RANGE=100"}}) {
    test::writeFile(parametersFile(), std::string("<parameters><parameter name=\"PROGRAM_VERSION\" value=\"11.0.2\"/>"
                                                  "<parameter name=\"SIM_INSTALL_PATH\" value=\"" +
                                          simulatorFolder() + "\"/>"
                                                  "<parameter name=\"RANGE\" value=\"") +
                                          text + "\"/></parameters>");
    EXPECT_EQ(runProgram(), 0);
    EXPECT_NE(readFile(install_ / "Log.txt").find(std::string("\n") + expected + "\n"), std::string::npos) << text;
  }
}

TEST_F(StartUpTest, AirportScanAtStartGeneratesStandFilesAndSwitchesItselfOff) {
  const std::string sim = simulatorFolder();
  const fs::path addon = fs::path(sim) / "Addon Scenery" / "LEAB ARV187" / "scenery";
  fs::create_directories(addon);
  fs::copy_file(test::sharedDataFolder() / "bgl" / "LEAB_ADEP5_ARV187.bgl", addon / "LEAB_ADEP5_ARV187.bgl");
  test::writeUtf16File(programData_ / "Lockheed Martin" / "Prepar3D v5" / "scenery.cfg",
                       "[Area.001]\r\nTitle=LEAB\r\nLocal=Addon Scenery\\LEAB ARV187\r\nActive=TRUE\r\n");
  test::writeFile(parametersFile(), "<parameters><parameter name=\"PROGRAM_VERSION\" value=\"11.0.2\"/>"
                                    "<parameter name=\"SIM_INSTALL_PATH\" value=\"" + sim + "\"/></parameters>");
  EXPECT_EQ(runProgram(), 0);
  const std::string log = readFile(install_ / "Log.txt");
  EXPECT_NE(log.find("Generated airports/my_thirdparty/LEAB.xml: 69 positions, of which 1 helipad"), std::string::npos) << log;
  EXPECT_NE(log.find("Airports scan successful"), std::string::npos);
  EXPECT_TRUE(fs::exists(install_ / "airports" / "my_thirdparty" / "LEAB.xml"));
  EXPECT_TRUE(fs::exists(install_ / "output" / "info" / "AirportsScanLog.txt"));
  EXPECT_EQ(stored("SCAN_AIRPORTS"), "false");
  EXPECT_FALSE(fs::exists(config_ / "Aeroshadow_P3D" / "orig_dest")) << "the close removes the flight-plan folder";

  // Without SCAN_AIRPORTS the next start keeps the generated files as they are.
  fs::remove(addon / "LEAB_ADEP5_ARV187.bgl");
  EXPECT_EQ(runProgram(), 0);
  EXPECT_TRUE(fs::exists(install_ / "airports" / "my_thirdparty" / "LEAB.xml"));
  EXPECT_EQ(readFile(install_ / "Log.txt").find("Scanning for addon airports"), std::string::npos);
}

TEST_F(StartUpTest, InstalledFolderRuns) {
  const fs::path prefix = root_ / "installed";
  test::ChildProcess install(TFX_CMAKE_COMMAND,
                                 {"--install", test::binaryDir().string(), "--prefix", prefix.string()},
                                 {.standardOutput = root_ / "install.out"});
  ASSERT_EQ(install.waitFor(std::chrono::minutes(2)), 0) << readFile(root_ / "install.out");
  EXPECT_TRUE(fs::exists(prefix / "docs" / "README.md"));
  test::writeFile(parametersFile(), "<parameters><parameter name=\"SIM_INSTALL_PATH\" value=\"" + simulatorFolder() +
                                        "\"/></parameters>");
  EXPECT_EQ(runProgram(prefix / "Aeroshadow_P3D", prefix), 0) << readFile(prefix / "Log.txt");
  EXPECT_EQ(stored("PROGRAM_INSTALL_PATH"), prefix.string());
}

}  // namespace
}  // namespace tfx

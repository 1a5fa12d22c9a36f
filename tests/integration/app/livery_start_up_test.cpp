// The start-up's livery step with real files: when it scans, what it tells
// and which check boxes it leaves.
#include <gtest/gtest.h>

#include "aircraft/read_dbase.h"
#include "app/livery_start_up.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "installed_liveries.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

class LiveryStartUp : public ::testing::Test {
 protected:
  LiveryStartUp() {
    test::resetProgramState();
    fs::create_directories(home_.installFolder() / "input");
    fs::copy_file(test::binaryDir() / "input" / "dbase.enc", home_.installFolder() / "input" / "dbase.enc");
    gf_readDbase(paths::dbaseEnc, home_.root() / "dbase.xml");
    test::installAddOnLiveries(home_.configFolder(), home_.root() / "addons" / "Test_AI");
    setControlView(&model_);
  }
  ~LiveryStartUp() override {
    setControlView(nullptr);
    test::resetProgramState();
  }

  bool enabled(const CheckBoxParameter& setting) const { return model_.control(setting.controlPlace()->id)->enabled; }
  bool checked(const CheckBoxParameter& setting) const { return model_.control(setting.controlPlace()->id)->checked; }

  test::ScratchHome home_;
  test::ScopedCurrentDir inside_{home_.installFolder()};
  ui::WindowModel model_;
};

TEST_F(LiveryStartUp, ScansOnceAndLeavesOnlyTheCategoriesThatAreInstalled) {
  LiveryCatalogue catalogue(aircraftDatabase());
  LogCapture log;
  app::scanOrLoadLiveries(catalogue, model_);
  EXPECT_TRUE(log.contains("liveries scan automatic starts"));
  EXPECT_EQ(catalogue.tables.liveryCount(), 2u);
  EXPECT_FALSE(SCAN_LIVERIES.value());
  EXPECT_FALSE(checked(SCAN_LIVERIES));
  EXPECT_FALSE(LIGHT_AIRCRAFT.value());
  EXPECT_FALSE(enabled(LIGHT_AIRCRAFT));
  EXPECT_FALSE(enabled(HELICOPTERS));
  EXPECT_TRUE(log.contains("LIGHT_AIRCRAFT temporarily switched off because you do not have light aircraft installed"));
  EXPECT_EQ(liveryCountText(), "# liveries: 2");
  EXPECT_EQ(catalogue.tables.specialLivery("PH-BXA"), "KLM Boeing 737-800 PH-BXA");
}

TEST_F(LiveryStartUp, ALostSavedListTurnsTheScanOnAgain) {
  SCAN_LIVERIES.set(false);
  LiveryCatalogue catalogue(aircraftDatabase());
  {
    LogCapture shown;
    app::scanOrLoadLiveries(catalogue, model_);
    EXPECT_TRUE(shown.contains("File output/LiveriesScanned.xml is gone, rescan liveries"));
    EXPECT_EQ(messageLine().message(), "Scanning  for liveries ...");
  }
  EXPECT_TRUE(fs::exists(paths::liveriesScanned));
  EXPECT_FALSE(SCAN_LIVERIES.value());

  LiveryCatalogue next(aircraftDatabase());
  LogCapture log;
  app::scanOrLoadLiveries(next, model_);
  EXPECT_FALSE(log.contains("liveries scan automatic starts"));
  EXPECT_TRUE(log.contains("2 liveries read from output/LiveriesScanned.xml"));
}

}  // namespace
}  // namespace tfx

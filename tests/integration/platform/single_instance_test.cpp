#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tfx::platform {
namespace {

TEST(SingleInstance, OneHolderAtATime) {
  test::TempDir runtime;
  test::ScopedEnv folder("XDG_RUNTIME_DIR", runtime.path().string());
  {
    SingleInstance first("Local\\$Aeroshadow_P3D$");
    EXPECT_FALSE(first.alreadyRunning());
    EXPECT_EQ(first.lockFile().filename(), "Local_$Aeroshadow_P3D$.lock");
    SingleInstance second("Local\\$Aeroshadow_P3D$");
    EXPECT_TRUE(second.alreadyRunning());
    SingleInstance other("Local\\$Other$");
    EXPECT_FALSE(other.alreadyRunning());
  }
  SingleInstance afterwards("Local\\$Aeroshadow_P3D$");
  EXPECT_FALSE(afterwards.alreadyRunning());
}

}  // namespace
}  // namespace tfx::platform

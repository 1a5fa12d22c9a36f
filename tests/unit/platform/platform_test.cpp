#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "fake_registry.h"
#include "platform/file_compare.h"
#include "platform/known_folders.h"
#include "platform/registry.h"
#include "platform/socket_error.h"
#include "platform/windows_path.h"
#include "test_support.h"

namespace tfx::platform {
namespace {

TEST(KnownFolders, FollowTheEnvironmentWithHomeAsFallback) {
  {
    test::ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    test::ScopedEnv data("XDG_DATA_HOME", "/data");
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/7");
    EXPECT_EQ(roamingAppDataFolder(), "/cfg");
    EXPECT_EQ(programDataFolder(), "/data");
    EXPECT_EQ(runtimeFolder(), "/run/user/7");
  }
  test::ScopedEnv config("XDG_CONFIG_HOME", "");
  test::ScopedEnv data("XDG_DATA_HOME", "");
  test::ScopedEnv runtime("XDG_RUNTIME_DIR", "");
  test::ScopedEnv home("HOME", "/home/pilot");
  EXPECT_EQ(roamingAppDataFolder(), "/home/pilot/.config");
  EXPECT_EQ(programDataFolder(), "/home/pilot/.local/share");
  EXPECT_EQ(runtimeFolder(), "/tmp");
}

TEST(FileHolds, OnlyAFileOfExactlyTheBytes) {
  const test::TempDir folder;
  // Longer than one piece read, so that a difference in a later piece counts.
  std::string bytes(40000, 'x');
  bytes[20000] = 'y';
  test::writeFile(folder / "same", bytes);
  EXPECT_TRUE(fileHolds(folder / "same", bytes));
  std::string lastDiffers = bytes;
  lastDiffers.back() = 'z';
  EXPECT_FALSE(fileHolds(folder / "same", lastDiffers));
  EXPECT_FALSE(fileHolds(folder / "same", bytes.substr(1)));
  EXPECT_FALSE(fileHolds(folder / "same", bytes + "x"));
  EXPECT_FALSE(fileHolds(folder / "missing", bytes));
  EXPECT_FALSE(fileHolds(folder.path(), ""));
  test::writeFile(folder / "empty", "");
  EXPECT_TRUE(fileHolds(folder / "empty", ""));
}

TEST(WindowsPath, BackslashesBecomeSlashes) {
  EXPECT_EQ(fromWindowsPath("C:\\Program Files\\Lockheed Martin\\Prepar3D v5\\"),
            std::filesystem::path("C:/Program Files/Lockheed Martin/Prepar3D v5/"));
  EXPECT_EQ(fromWindowsPath("Scenery/World"), std::filesystem::path("Scenery/World"));
}

TEST(Registry, LinuxFindsNoKeyAndTheFakeAnswersWithTheSystemsTexts) {
  NoRegistry none;
  EXPECT_FALSE(none.canOpenKey("SOFTWARE\\Lockheed Martin\\Prepar3D v5"));
  EXPECT_THROW(none.readString("SOFTWARE", "SetupPath"), RegException);

  tfx::test::FakeRegistry fake;
  fake.addKey("SOFTWARE\\A");
  fake.setString("SOFTWARE\\B", "SetupPath", "D:\\P3D");
  EXPECT_TRUE(fake.canOpenKey("SOFTWARE\\A"));
  EXPECT_EQ(fake.readString("SOFTWARE\\B", "SetupPath"), "D:\\P3D");
  try {
    fake.readString("SOFTWARE\\A", "SetupPath");
    FAIL();
  } catch (const RegException& error) {
    EXPECT_STREQ(error.what(), "Cannot get size of string value: RegGetValueW failed.");
  }
}

TEST(SocketErrors, PosixNumbersBecomeWindowsSocketNumbers) {
  EXPECT_EQ(toWinsockError(ECONNRESET), 10054);
  EXPECT_EQ(toWinsockError(EPIPE), 10054);
  EXPECT_EQ(toWinsockError(ECONNREFUSED), 10061);
  EXPECT_EQ(toWinsockError(EADDRINUSE), 10048);
  EXPECT_EQ(toWinsockError(EWOULDBLOCK), 10035);
  EXPECT_EQ(toWinsockError(ETIMEDOUT), 10060);
  EXPECT_EQ(toWinsockError(12345), 12345);
}

}  // namespace
}  // namespace tfx::platform

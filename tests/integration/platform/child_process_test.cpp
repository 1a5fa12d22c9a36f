#include "child_process.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tfx::test {
namespace {

TEST(ChildProcessTest, ExitCodeRedirectionAndTermination) {
  test::TempDir folder;
  test::writeFile(folder / "in.txt", "hello\n");
  ChildProcess echo("/bin/sh", {"-c", "read line; echo \"got $line\"; exit 3"},
                    {.standardInput = folder / "in.txt", .standardOutput = folder / "out.txt"});
  EXPECT_EQ(echo.waitFor(std::chrono::seconds(20)), 3);
  EXPECT_EQ(test::readFile(folder / "out.txt"), "got hello\n");

  ChildProcess sleeper("/bin/sleep", {"30"});
  EXPECT_EQ(sleeper.waitFor(std::chrono::milliseconds(50)), std::nullopt);
  sleeper.terminate();
  EXPECT_EQ(sleeper.waitFor(std::chrono::seconds(20)), 128 + 15);

  EXPECT_THROW(ChildProcess("/no/such/program", {}), std::system_error);
}

}  // namespace
}  // namespace tfx::test

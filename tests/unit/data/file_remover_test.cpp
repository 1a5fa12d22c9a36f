#include <gtest/gtest.h>

#include "core/log.h"
#include "data/file_remover.h"
#include "test_support.h"

namespace tfx {
namespace {

TEST(FileRemover, RemovesFilesAndWarnsWhenItCannot) {
  test::TempDir folder;
  test::writeFile(folder / "plain.xml", "<x/>");
  test::writeFile(folder / "busy" / "inside.txt", "keeps its folder from going");
  LogCapture log;

  gf_removeFile(folder / "plain.xml");
  gf_removeFile(folder / "never-there.xml");
  EXPECT_FALSE(std::filesystem::exists(folder / "plain.xml"));
  EXPECT_TRUE(log.lines().empty());

  gf_removeFile(folder / "busy");
  EXPECT_TRUE(std::filesystem::exists(folder / "busy"));
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_TRUE(log.lines()[0].starts_with("Warning: could not remove " + (folder / "busy").string() + ", errorcode: "));
}

}  // namespace
}  // namespace tfx

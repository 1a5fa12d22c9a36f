#include <gtest/gtest.h>

#include "data/data_versions.h"

namespace tfx {
namespace {

TEST(DataVersions, ParsesThreeNumbersWithAnySeparator) {
  EXPECT_EQ(DataVersion::parse("11.0.2"), (DataVersion{11, 0, 2}));
  EXPECT_EQ(DataVersion::parse("1-10_3"), (DataVersion{1, 10, 3}));
  EXPECT_EQ(DataVersion::parse("11.0.2").text(), "11.0.2");
  for (const char* text : {"11.0", "", "1.2.3.4", "a.b.c", " 1.2.3", "1.2.x", "99999999999999999999.0.0"}) {
    SCOPED_TRACE(text);
    try {
      DataVersion::parse(text);
      ADD_FAILURE() << "parsed";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "parse error in version string");
    }
  }
}

TEST(DataVersions, NewerComparesMajorThenMinorThenPatch) {
  const DataVersion local = DataVersion::parse("1.9.9");
  EXPECT_GT(DataVersion::parse("2.0.0"), local);
  EXPECT_GT(DataVersion::parse("1.10.0"), local);
  EXPECT_GT(DataVersion::parse("1.9.10"), local);
  EXPECT_FALSE(DataVersion::parse("1.9.9") > local);
  EXPECT_FALSE(DataVersion::parse("0.99.99") > local);
  EXPECT_FALSE(DataVersion::parse("1.8.20") > local);
}

}  // namespace
}  // namespace tfx

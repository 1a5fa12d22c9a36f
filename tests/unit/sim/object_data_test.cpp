#include "sim/simconnect/object_data.h"

#include <gtest/gtest.h>

namespace tfx::simconnect {
namespace {

TEST(ObjectData, VariableStringsArePaddedToTheNextMultipleOfFourAndDataAfterThemStaysInPlace) {
  for (auto [text, size] : {std::pair{"", 4u}, {"AB", 4u}, {"ABC", 4u}, {"ABCD", 8u}, {"Boeing 737-800", 16u}}) {
    Bytes block;
    DatumWriter writer(block);
    writer.variableString(text);
    EXPECT_EQ(block.size(), size) << text;
    writer.float64(3.25);  // starts with zero bytes, which a "skip zeros" reader would eat
    writer.int64(-7);
    DatumReader reader(block);
    EXPECT_EQ(reader.variableString(), text);
    EXPECT_EQ(reader.float64(), 3.25);
    EXPECT_EQ(reader.int64(), -7);
    EXPECT_TRUE(reader.ok());
  }
}

TEST(ObjectData, DefinitionOfAircraftAroundTheUserIsFiftySixPackedBytes) {
  Bytes block;
  DatumWriter writer(block);
  writer.float64(1200.5);
  writer.float64(1416.0);
  writer.int64(1);
  writer.fixedString("SWR123", 32);
  ASSERT_EQ(block.size(), 56u);
  DatumReader reader(block);
  EXPECT_EQ(reader.float64(), 1200.5);
  EXPECT_EQ(reader.float64(), 1416.0);
  EXPECT_EQ(reader.int64(), 1);
  EXPECT_EQ(reader.fixedString(32), "SWR123");
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(datumSize(DataType::String32), 32u);
  EXPECT_EQ(datumSize(DataType::StringV), 0u);
}

TEST(ObjectData, ReadingPastTheBlockIsNoticed) {
  Bytes block = {'A', 'B'};
  DatumReader unterminated(block);
  EXPECT_EQ(unterminated.variableString(), "AB");
  EXPECT_FALSE(unterminated.ok());
  Bytes four(4, 0);
  DatumReader shortBlock(four);
  shortBlock.float64();
  EXPECT_FALSE(shortBlock.ok());
}

}  // namespace
}  // namespace tfx::simconnect

#include "ui/picture_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tfx::ui {
namespace {

// Every length around the boundaries of the copy: bytes, one or two 4-byte
// words, one or two 8-byte words, the room in place and past it.
TEST(PictureText, EveryLengthReadsBackAsWritten) {
  PictureText text;
  for (size_t length = 0; length <= 40; ++length) {
    std::string written;
    for (size_t index = 0; index < length; ++index) written += static_cast<char>('A' + (index * 7 + length) % 26);
    text.assign(written);
    EXPECT_EQ(text.view(), written) << "length " << length;
  }
}

TEST(PictureText, AShortTextAfterALongOneAndBackAgain) {
  PictureText text{"a destination text longer than fifteen bytes"};
  EXPECT_EQ(text.view(), "a destination text longer than fifteen bytes");
  text.assign("EGLL");
  EXPECT_EQ(text.view(), "EGLL");
  text.assign("0123456789abcdefg");
  EXPECT_EQ(text.view(), "0123456789abcdefg");
  text.clear();
  EXPECT_TRUE(text.view().empty());
}

TEST(PictureText, BytesThatAreNoTextStayAsTheyAre) {
  const std::string bytes("\0<b>\xff\"", 6);
  const PictureText text{bytes};
  EXPECT_EQ(text.view(), bytes);
  EXPECT_TRUE(text == bytes);
  EXPECT_FALSE(text == "<b>");
}

}  // namespace
}  // namespace tfx::ui

#include "scan/bgl_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tfx::scan {
namespace {

std::uint32_t packDigits(const std::vector<std::uint32_t>& digits) {
  std::uint32_t value = 0;
  for (const std::uint32_t digit : digits) value = value * 38 + digit;
  return value << 5;
}

std::vector<std::byte> bytesOf(std::string_view text) {
  std::vector<std::byte> bytes;
  for (const char character : text) bytes.push_back(std::byte(character));
  return bytes;
}

TEST(BglIdent, DigitsBecomeLettersAndNumbersMostSignificantFirst) {
  const DecodedIdent ident = lf_decodeIdentifierOrRegionCode(packDigits({14, 19, 12, 24}));
  EXPECT_EQ(ident.text, "CHAM");
  EXPECT_TRUE(ident.valid);
  EXPECT_EQ(lf_decodeIdentifierOrRegionCode(packDigits({22, 16, 2, 11})).text, "KE09");
  // The low five bits carry no part of the ident.
  EXPECT_EQ(lf_decodeIdentifierOrRegionCode(packDigits({14, 19, 12, 24}) | 0x1F).text, "CHAM");
}

TEST(BglIdent, BlankDigitsAndOtherLengthsAreRefused) {
  EXPECT_FALSE(lf_decodeIdentifierOrRegionCode(packDigits({14, 0, 12, 24})).valid);
  EXPECT_FALSE(lf_decodeIdentifierOrRegionCode(packDigits({14, 19, 12})).valid);
  EXPECT_FALSE(lf_decodeIdentifierOrRegionCode(packDigits({14, 19, 12, 24, 12})).valid);
  EXPECT_FALSE(lf_decodeIdentifierOrRegionCode(0).valid);
  EXPECT_EQ(lf_decodeIdentifierOrRegionCode(packIdent("LEAB")).text, "LEAB");
}

TEST(BglCoordinates, PackedValuesSpanTheGlobe) {
  EXPECT_DOUBLE_EQ(unpackLongitude(0), -180.0);
  EXPECT_DOUBLE_EQ(unpackLongitude(805306368U), 180.0);
  EXPECT_DOUBLE_EQ(unpackLatitude(0), 90.0);
  EXPECT_DOUBLE_EQ(unpackLatitude(536870912U), -90.0);
  EXPECT_NEAR(unpackLatitude(packLatitude(38.948472)), 38.948472, 1e-6);
  EXPECT_NEAR(unpackLongitude(packLongitude(-1.863042)), -1.863042, 1e-6);
  // Values past the globe decode out of range rather than wrapping.
  EXPECT_GT(unpackLongitude(0xFFFFFFFFU), 180.0);
  EXPECT_LT(unpackLatitude(0xFFFFFFFFU), -90.0);
}

TEST(BglElevation, FeetOutsideTheUsableRangeCountAsUnknown) {
  EXPECT_EQ(altitudeFeet(701344), 2301);
  EXPECT_EQ(altitudeFeet(-6096), -20);
  EXPECT_EQ(altitudeFeet(-6400), 0);
  EXPECT_EQ(altitudeFeet(3048000), 10000);
  EXPECT_EQ(altitudeFeet(3048200), 0);
}

TEST(BglName, EndsAtTheFirstNulAndAtFortyFiveBytes) {
  EXPECT_EQ(airportNameText(bytesOf(std::string("Albacete\0junk", 13))), "Albacete");
  const std::string long_(60, 'x');
  EXPECT_EQ(airportNameText(bytesOf(long_)), std::string(45, 'x'));
}

TEST(BglName, Utf8StaysAndOtherBytesAreLatin1) {
  EXPECT_EQ(airportNameText(bytesOf("Le\xC3\xB3n")), "Le\xC3\xB3n");
  EXPECT_EQ(airportNameText(bytesOf("Le\xF3n")), "Le\xC3\xB3n");
  EXPECT_EQ(airportNameText(bytesOf("\xE0\x80\x80")), "\xC3\xA0\xC2\x80\xC2\x80");
}

TEST(BglName, TheCutKeepsWholeCharacters) {
  // 44 ASCII bytes and a two-byte letter: the cut at 45 would split it.
  const std::string name = std::string(44, 'a') + "\xC3\xB3" + "b";
  EXPECT_EQ(airportNameText(bytesOf(name)), std::string(44, 'a'));
  const std::string fits = std::string(43, 'a') + "\xC3\xB3" + "b";
  EXPECT_EQ(airportNameText(bytesOf(fits)), std::string(43, 'a') + "\xC3\xB3");
}

}  // namespace
}  // namespace tfx::scan

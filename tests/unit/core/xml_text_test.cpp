// XML text written directly must be the bytes pugixml saves for the same
// elements, and numbers the text fmt writes for them.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <pugixml.hpp>
#include <random>
#include <sstream>
#include <string>

#include "core/fixed_decimals.h"
#include "core/meta_block.h"
#include "core/xml_text.h"

namespace tfx {
namespace {

std::string saved(const pugi::xml_document& document) {
  std::ostringstream text;
  document.save(text, "\t", pugi::format_default, pugi::encoding_utf8);
  return text.str();
}

std::string fixed(double value, int decimals) {
  std::string text;
  appendFixedDecimals(text, value, decimals);
  return text;
}

TEST(XmlTextWriter, EveryByteOfAValueAsADocumentSavesIt) {
  std::string everyByte;
  for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("root");
  root.append_attribute("all").set_value(everyByte.c_str());
  pugi::xml_node empty = root.append_child("empty");
  empty.append_attribute("v").set_value("");
  root.append_child("inner").append_child("leaf").append_attribute("a").set_value("x'>y");
  document.append_child("second");

  std::string text;
  XmlTextWriter writer(text);
  writer.open("root");
  writer.attribute("all", everyByte);
  writer.open("empty");
  writer.attribute("v", "");
  writer.close();
  writer.open("inner");
  writer.open("leaf");
  writer.attribute("a", "x'>y");
  writer.close();
  writer.close();
  writer.close();
  writer.open("second");
  writer.close();
  EXPECT_EQ(text, saved(document));
}

TEST(XmlTextWriter, AValueEndsAtItsFirstNulAndNumbersAreWrittenAsFormatted) {
  std::string text;
  XmlTextWriter writer(text);
  writer.open("e");
  writer.attribute("cut", std::string_view("ab\0cd", 5));
  writer.integerAttribute("n", -42);
  writer.decimalAttribute("d", 8.25, 1);
  writer.close();
  EXPECT_EQ(text, "<?xml version=\"1.0\"?>\n<e cut=\"ab\" n=\"-42\" d=\"8.2\" />\n");
}

TEST(XmlTextWriter, MetaBlockAsTheDocumentOneSaves) {
  pugi::xml_document document;
  writeMetaBlock(document);
  std::string text;
  XmlTextWriter writer(text);
  writeMetaBlock(writer);
  EXPECT_EQ(text, saved(document));
}

TEST(FixedDecimals, AsFmtWritesThem) {
  // Exact ties (1/128 and 1/16 in binary), values just beside them, signs,
  // zeros, rounding across a power of ten, and what is no number.
  for (const double value : {0.0078125, -0.0078125, 0.0625, 0.05, 0.15, 0.25, 0.35, -0.0, 0.0, -1e-9, 1e-9,
                             9.9999996, 99.95, 359.95, -89.9999995, 47.4580565, 123456789.123456789, 1e13, -1e15,
                             HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    for (int decimals = 0; decimals <= 9; ++decimals) {
      EXPECT_EQ(fixed(value, decimals), fmt::format("{:.{}f}", value, decimals)) << value << " " << decimals;
    }
  }
  std::mt19937_64 random(20260105);
  std::uniform_real_distribution<double> degrees(-400.0, 400.0);
  std::uniform_int_distribution<int> exponent(-8, 12);
  for (int draw = 0; draw < 50000; ++draw) {
    const double value = degrees(random) * std::pow(10.0, exponent(random) - 2);
    for (const int decimals : {1, 6}) {
      ASSERT_EQ(fixed(value, decimals), fmt::format("{:.{}f}", value, decimals)) << fmt::format("{:.17g}", value);
    }
  }
}

}  // namespace
}  // namespace tfx

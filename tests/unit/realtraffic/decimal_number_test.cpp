#include "realtraffic/decimal_number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

namespace tfx {
namespace {

std::optional<double> fullConversion(std::string_view text) {
  double value = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || stop != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

TEST(DecimalNumberTest, SameDoubleAsTheFullConversionForEveryShape) {
  for (const char* text :
       {"0", "-0", "47.4560495", "-640", "1733419378.00", "0.1", "0.30000000000000004", "9007199254740993",
        "9007199254740992", "1234567890123456789", "12345678901234567890", "99999999999999999999",
        "123456789.123456789",
        "0.0000000000000000001", "1e5", "-1.5e-3", "5.", ".5", "-.5", "1..2", "1.2.3", "", "-", "+1", " 1", "1 ",
        "0x10", "nan", "inf", "-inf", "1e400", "00012.500", "4.9e-324", "2.2250738585072014e-308"}) {
    const auto fast = parseDecimal(text);
    const auto full = fullConversion(text);
    ASSERT_EQ(fast.has_value(), full.has_value()) << text;
    if (fast) {
      EXPECT_EQ(*fast, *full) << text;
      EXPECT_EQ(std::signbit(*fast), std::signbit(*full)) << text;
    }
  }
  // Every value with up to seven decimal places in a range of positions.
  for (int i = 0; i < 200000; ++i) {
    const std::string text = std::to_string(i / 10000) + "." + std::to_string(1000000 + i * 37 % 9000000).substr(1);
    ASSERT_EQ(parseDecimal(text), fullConversion(text)) << text;
  }
}

}  // namespace
}  // namespace tfx

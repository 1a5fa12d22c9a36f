#include "realtraffic/decimal_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tfx {
namespace {

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Integers up to this are exact in a double.
constexpr uint64_t kExactIntegerLimit = uint64_t{1} << 53;
// Up to 19 digits never overflow 64 bits, and never need a power of ten beyond the table.
constexpr ptrdiff_t kMaxFastLength = 19;
static_assert(kMaxFastLength < static_cast<ptrdiff_t>(kExactPowersOfTen.size()));

bool isDigit(char c) { return static_cast<unsigned char>(c - '0') <= 9; }

std::optional<double> viaFromChars(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
  const char* next = text.data();
  const char* const end = next + text.size();
  const bool negative = next != end && *next == '-';
  if (negative) ++next;
  // Digits, optionally a point and more digits: a mantissa and a power of ten
  // that are both exact give, in one correctly rounded division, the same
  // double as the full conversion. Every other shape takes the full conversion.
  if (end - next <= kMaxFastLength) {
    const char* const integerStart = next;
    uint64_t mantissa = 0;
    while (next != end && isDigit(*next)) mantissa = mantissa * 10 + static_cast<uint64_t>(*next++ - '0');
    const bool hasInteger = next != integerStart;
    ptrdiff_t places = 0;
    if (hasInteger && next != end && *next == '.') {
      const char* const fractionStart = ++next;
      while (next != end && isDigit(*next)) mantissa = mantissa * 10 + static_cast<uint64_t>(*next++ - '0');
      places = next - fractionStart;
      if (places == 0) next = integerStart;  // "5." is left to the full conversion
    }
    if (hasInteger && next == end && mantissa <= kExactIntegerLimit) {
      const double value = static_cast<double>(mantissa) / kExactPowersOfTen[static_cast<size_t>(places)];
      return negative ? -value : value;
    }
  }
  return viaFromChars(text);
}

}  // namespace tfx

#include "core/fixed_decimals.h"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <utility>

namespace tfx {
namespace {

constexpr std::array<double, 10> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// Below this the scaled value is off by less than 2^-13 after its one
// rounding, so any fraction farther than kTieMargin from one half rounds as
// the exact value does.
constexpr double kLargestScaled = 1e12;
constexpr double kTieMargin = 1e-3;

constexpr std::array<std::uint64_t, 13> kIntegerPowersOfTen{1,          10,          100,          1000,
                                                            10000,      100000,      1000000,      10000000,
                                                            100000000,  1000000000,  10000000000,  100000000000,
                                                            1000000000000};

// Two digits at a time: "00", "01", ... "99".
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (size_t pair = 0; pair < 100; ++pair) {
    pairs[2 * pair] = static_cast<char>('0' + pair / 10);
    pairs[2 * pair + 1] = static_cast<char>('0' + pair % 10);
  }
  return pairs;
}();

// At least one digit; the value is at most 1e12.
template <typename Unsigned>
int digitCount(Unsigned value) {
  int digits = 1;
  while (digits < static_cast<int>(kIntegerPowersOfTen.size()) && value >= kIntegerPowersOfTen[static_cast<size_t>(digits)]) {
    ++digits;
  }
  return digits;
}

// The last `digits` decimal digits of the value, zeros in front, ending at `end`.
template <typename Unsigned>
void writeDigits(char* end, Unsigned value, int digits) {
  for (; digits >= 2; digits -= 2, value /= 100) {
    const char* pair = kDigitPairs.data() + 2 * (value % 100);
    *--end = pair[1];
    *--end = pair[0];
  }
  if (digits == 1) *--end = static_cast<char>('0' + value % 10);
}

double scaledMagnitude(double value, int decimals) {
  return std::abs(value) * kPowersOfTen[static_cast<size_t>(decimals)];
}

// The value times 10^Decimals, rounded, with the point put back.
template <int Decimals, typename Unsigned>
char* writeRounded(char* out, Unsigned rounded) {
  constexpr auto kUnit = static_cast<Unsigned>(kIntegerPowersOfTen[Decimals]);
  const Unsigned integer = rounded / kUnit;
  const int integerDigits = digitCount(integer);
  char* const point = out + integerDigits;
  writeDigits(point, integer, integerDigits);
  if constexpr (Decimals == 0) {
    return point;
  } else {
    *point = '.';
    char* const end = point + 1 + Decimals;
    writeDigits(end, static_cast<Unsigned>(rounded % kUnit), Decimals);
    return end;
  }
}

// With the count of decimals known, the divisions are multiplications, and
// on 32 bits for every value below 2^32 once scaled: all coordinates,
// headings and radii.
template <int Decimals>
char* writeFixed(char* out, double value) {
  const double scaled = scaledMagnitude(value, Decimals);
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  // Near a tie fmt decides, on the exact value.
  if (std::abs(fraction - 0.5) <= kTieMargin) return fmt::format_to(out, "{:.{}f}", value, Decimals);
  const std::uint64_t rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  if (std::signbit(value)) *out++ = '-';
  if (rounded <= std::numeric_limits<std::uint32_t>::max()) {
    return writeRounded<Decimals>(out, static_cast<std::uint32_t>(rounded));
  }
  return writeRounded<Decimals>(out, rounded);
}

template <size_t... Decimals>
constexpr auto fixedWriters(std::index_sequence<Decimals...>) {
  return std::array<char* (*)(char*, double), sizeof...(Decimals)>{writeFixed<static_cast<int>(Decimals)>...};
}

constexpr auto kFixedWriters = fixedWriters(std::make_index_sequence<kPowersOfTen.size()>());

}  // namespace

bool fixedDecimalsFit(double value, int decimals) { return scaledMagnitude(value, decimals) < kLargestScaled; }

char* writeFixedDecimals(char* out, double value, int decimals) {
  return kFixedWriters[static_cast<size_t>(decimals)](out, value);
}

void appendFixedDecimals(std::string& text, double value, int decimals) {
  if (!fixedDecimalsFit(value, decimals)) {
    fmt::format_to(std::back_inserter(text), "{:.{}f}", value, decimals);
    return;
  }
  std::array<char, kFixedDecimalsRoom> written;
  text.append(written.data(), writeFixedDecimals(written.data(), value, decimals));
}

}  // namespace tfx

#include "core/fixed_decimals.h"

#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace tfx {
namespace {

constexpr std::array<double, 10> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr std::array<std::uint64_t, 10> kIntegerPowersOfTen{1,      10,      100,      1000,      10000,
                                                            100000, 1000000, 10000000, 100000000, 1000000000};
// Below this the scaled value is off by less than 2^-13 after its one
// rounding, so any fraction farther than kTieMargin from one half rounds as
// the exact value does.
constexpr double kLargestScaled = 1e12;
constexpr double kTieMargin = 1e-3;

}  // namespace

void appendFixedDecimals(std::string& text, double value, int decimals) {
  const double scaled = std::abs(value) * kPowersOfTen[static_cast<size_t>(decimals)];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  // Values near a tie, huge or no number: fmt decides, on the exact value.
  if (!(scaled < kLargestScaled) || std::abs(fraction - 0.5) <= kTieMargin) {
    fmt::format_to(std::back_inserter(text), "{:.{}f}", value, decimals);
    return;
  }
  const auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  const std::uint64_t unit = kIntegerPowersOfTen[static_cast<size_t>(decimals)];
  if (std::signbit(value)) text += '-';
  std::array<char, 24> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), rounded / unit).ptr;
  text.append(digits.data(), end);
  if (decimals == 0) return;
  text += '.';
  std::uint64_t rest = rounded % unit;
  for (int place = decimals - 1; place >= 0; --place) {
    digits[static_cast<size_t>(place)] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  text.append(digits.data(), static_cast<size_t>(decimals));
}

}  // namespace tfx

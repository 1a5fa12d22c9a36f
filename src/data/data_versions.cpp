#include "data/data_versions.h"

#include <fmt/format.h>

#include <charconv>
#include <regex>
#include <stdexcept>

namespace tfx {
namespace {

long long number(const std::csub_match& digits) {
  long long value = 0;
  auto [end, error] = std::from_chars(digits.first, digits.second, value);
  if (error != std::errc{}) throw std::runtime_error("parse error in version string");
  return value;
}

}  // namespace

DataVersion DataVersion::parse(std::string_view text) {
  static const std::regex pattern(R"((\d+).(\d+).(\d+))");
  std::cmatch parts;
  if (!std::regex_match(text.data(), text.data() + text.size(), parts, pattern)) {
    throw std::runtime_error("parse error in version string");
  }
  return DataVersion{number(parts[1]), number(parts[2]), number(parts[3])};
}

std::string DataVersion::text() const { return fmt::format("{}.{}.{}", major, minor, patch); }

}  // namespace tfx

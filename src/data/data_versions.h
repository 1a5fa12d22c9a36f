#pragma once
// Versions of the shipped data sets: three numbers, "major.minor.patch".
#include <compare>
#include <string>
#include <string_view>

namespace tfx {

struct DataVersion {
  long long major = 0;
  long long minor = 0;
  long long patch = 0;

  // Any character may stand between the three numbers ("11.0.2", "1-2-3");
  // a text of another form throws std::runtime_error("parse error in version string").
  static DataVersion parse(std::string_view text);
  std::string text() const;
  // Newer means a greater major, or an equal major and a greater minor, or
  // both equal and a greater patch.
  auto operator<=>(const DataVersion&) const = default;
};

}  // namespace tfx

#pragma once
// Three-part program versions ("11.0.2") and their order.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tfx {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;

  // "major.minor.patch"; nullopt when the text is not of that form.
  static std::optional<ProgramVersion> parse(std::string_view text);
  std::string text() const;
  auto operator<=>(const ProgramVersion&) const = default;
};

// The version of this program.
const ProgramVersion& runningVersion();

}  // namespace tfx

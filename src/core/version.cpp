#include "core/version.h"

#include <fmt/format.h>

#include <charconv>

#include "runstate/product.h"

namespace tfx {
namespace {

bool takeNumber(std::string_view& rest, int& number) {
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
  if (error != std::errc{} || number < 0) return false;
  rest.remove_prefix(static_cast<size_t>(end - rest.data()));
  return true;
}

bool takeDot(std::string_view& rest) {
  if (rest.empty() || rest.front() != '.') return false;
  rest.remove_prefix(1);
  return true;
}

}  // namespace

std::optional<ProgramVersion> ProgramVersion::parse(std::string_view text) {
  ProgramVersion version;
  if (takeNumber(text, version.major) && takeDot(text) && takeNumber(text, version.minor) && takeDot(text) &&
      takeNumber(text, version.patch) && text.empty()) {
    return version;
  }
  return std::nullopt;
}

std::string ProgramVersion::text() const { return fmt::format("{}.{}.{}", major, minor, patch); }

const ProgramVersion& runningVersion() {
  static const ProgramVersion version = *ProgramVersion::parse(kRunningVersionText);
  return version;
}

}  // namespace tfx

#include "realtraffic/control_messages.h"

#include <fmt/format.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "core/geodesy.h"

namespace tfx {
namespace {

constexpr int kProfessionalLevel = 2;

}  // namespace

bool isKnownPosition(const UserPosition& user) { return std::abs(user.lat) > 0.0001 || std::abs(user.lon) > 0.0001; }

std::string userPositionMessage(const UserPosition& user) {
  // Fixed notation throughout: the client reads plain numbers, never exponents.
  return fmt::format("Qs121={:.0f};{:.0f};{:.6f};{:.0f};{};{:.6f};{:.6f}\r\n", user.pitch * 100000.0,
                     user.bank * 100000.0, user.trueHeading, user.altitude * 1000.0, user.groundSpeed * 1000.0,
                     user.lat * kDegToRad, user.lon * kDegToRad);
}

std::string simTimeMessage(int64_t seconds) { return fmt::format("Qs123={}\r\n", seconds); }

VersionAnswer readVersionAnswer(std::string_view answer) {
  const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
  if (!json.is_object()) return {};
  VersionAnswer result;
  const auto level = json.find("level");
  result.professional = level != json.end() && *level == kProfessionalLevel;
  const auto version = json.find("version");
  std::string versionText;
  if (version != json.end()) versionText = version->is_string() ? version->get<std::string>() : version->dump();
  result.editionText = fmt::format("RT{} edition: {}", result.professional ? " prof" : " stnd", versionText);
  return result;
}

}  // namespace tfx

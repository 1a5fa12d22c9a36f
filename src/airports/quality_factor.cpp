#include "airports/quality_factor.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace tfx::airports {
namespace {

// The weights compare the radius as held, in nautical miles, with 7 and 10;
// every real stand is far below 7 nm and weighs 0.3, so the weights cancel in
// the ratio and the file's own factors are reproduced.
double standWeight(const Stand& stand) {
  if (stand.radius <= 7.0) return 0.3;
  if (stand.radius <= 10.0) return 1.5;
  return 1.0;
}

double optionScore(const Stand& stand, int real) {
  int count = 0;
  size_t halfHours = 0;
  std::set<int> days;
  for (const StandOption& option : stand.options) {
    if (option.index == 0 || option.real != real) continue;
    ++count;
    if (option.day >= 1 && option.day <= 7) days.insert(option.day);
    halfHours += option.halfHours.count();
  }
  if (count == 0) return 0.0;
  return std::min(20.0 * count, 4000.0) + 10000.0 + 100.0 * static_cast<double>(days.size()) +
         2.0 * static_cast<double>(std::min<size_t>(halfHours, 600));
}

}  // namespace

QualityFactor gf_qualityFactor(std::span<const Stand> stands) {
  const bool anyOption = std::any_of(stands.begin(), stands.end(), [](const Stand& s) { return !s.options.empty(); });
  if (!anyOption) return {};
  double totalWeight = 0.0;
  double realSum = 0.0;
  double softSum = 0.0;
  for (const Stand& stand : stands) {
    const double weight = standWeight(stand);
    totalWeight += weight;
    if (stand.options.empty()) continue;
    realSum += optionScore(stand, 1) * weight;
    softSum += optionScore(stand, 0) * weight;
  }
  constexpr double kScale = 0.00625;
  return {static_cast<int>(std::lround(realSum / totalWeight * kScale)),
          static_cast<int>(std::lround(softSum / totalWeight * kScale))};
}

std::string qualityText(const QualityFactor& quality) {
  if (quality.soft == -1) return fmt::format("{:2}", quality.real);
  return fmt::format("{:2}/{:2}", quality.real, quality.soft);
}

}  // namespace tfx::airports

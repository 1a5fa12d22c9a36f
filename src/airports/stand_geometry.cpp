#include "airports/stand_geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tfx::airports {
namespace {

// One minute of latitude is one nautical mile, and no great circle between
// two points is shorter than their difference in latitude: a cheap bound
// that rules out most pairs before the great-circle distance is needed.
constexpr double kNmPerDegreeLatitude = 60.0;
constexpr double kOverlapMargin = 1.1;

constexpr double kWiderAllowanceNm = 0.0009719222462203025;  // 1.8 m
constexpr double kSmallSpanNm = 0.009611230689557531;        // 17.8 m
constexpr double kSmallStepNm = 0.00755939524838013;         // 14 m
constexpr double kLargeStepNm = 0.011339092872570195;        // 21 m

}  // namespace

void buildOverlapTable(std::span<Stand> stands) {
  std::vector<size_t> byLatitude(stands.size());
  std::iota(byLatitude.begin(), byLatitude.end(), 0);
  std::sort(byLatitude.begin(), byLatitude.end(), [&](size_t a, size_t b) { return stands[a].lat < stands[b].lat; });
  double largestRadius = 0.0;
  for (Stand& stand : stands) {
    stand.overlaps.clear();
    stand.overlaps.reserve(8);
    largestRadius = std::max(largestRadius, stand.radius);
  }
  for (size_t i = 0; i < byLatitude.size(); ++i) {
    Stand& a = stands[byLatitude[i]];
    const double reachDegrees = (a.radius + largestRadius) / kOverlapMargin / kNmPerDegreeLatitude;
    for (size_t j = i + 1; j < byLatitude.size(); ++j) {
      Stand& b = stands[byLatitude[j]];
      if (b.lat - a.lat > reachDegrees) break;
      if (gf_distanceNm(a.position(), b.position()) * kOverlapMargin < a.radius + b.radius) {
        a.overlaps.push_back(b.index);
        b.overlaps.push_back(a.index);
      }
    }
  }
  for (Stand& stand : stands) {
    std::sort(stand.overlaps.begin(), stand.overlaps.end());
    stand.overlaps.shrink_to_fit();
  }
}

bool gf_fitsStand(const Stand& stand, double halfSpanNm) {
  const double shortfall = stand.radius - halfSpanNm;
  const double step = halfSpanNm <= kSmallSpanNm ? kSmallStepNm : kLargeStepNm;
  return halfSpanNm - stand.radius <= kWiderAllowanceNm && std::lround(shortfall / step) == 0;
}

int nearestStandWithin(std::span<const Stand> stands, const LatLon& position, double rangeNm) {
  int nearest = 0;
  double best = rangeNm;
  for (const Stand& stand : stands) {
    const double distance = gf_distanceNm(position, stand.position());
    if (distance <= best) {
      best = distance;
      nearest = stand.index;
    }
  }
  return nearest;
}

StandPositions::StandPositions(std::span<const Stand> stands) {
  entries_.reserve(stands.size());
  for (const Stand& stand : stands) entries_.push_back({stand.position(), stand.index, stand.id});
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.position.lat < b.position.lat; });
}

const StandPositions::Entry* StandPositions::nearest(const LatLon& position, double maxNm) const {
  const double reachDegrees = maxNm / kNmPerDegreeLatitude;
  auto first = std::lower_bound(entries_.begin(), entries_.end(), position.lat - reachDegrees,
                                [](const Entry& entry, double lat) { return entry.position.lat < lat; });
  const Entry* best = nullptr;
  double bestNm = maxNm;
  for (auto it = first; it != entries_.end() && it->position.lat <= position.lat + reachDegrees; ++it) {
    const double distance = gf_distanceNm(position, it->position);
    if (distance < bestNm || (best == nullptr && distance <= maxNm)) {
      bestNm = distance;
      best = &*it;
    }
  }
  return best;
}

}  // namespace tfx::airports

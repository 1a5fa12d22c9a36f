#include "airports/stand_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tfx::airports {
namespace {

// One minute of latitude is one nautical mile, and no great circle between
// two points is shorter than their difference in latitude: a cheap bound
// that rules out most pairs before the great-circle distance is needed.
constexpr double kNmPerDegreeLatitude = 60.0;
constexpr double kOverlapMargin = 1.1;
// What the distance floor below may be above a limit before it rules a pair
// out: far more than the rounding of both it and the great-circle distance.
constexpr double kFloorSlack = 1.0 + 1e-9;

constexpr double kWiderAllowanceNm = 0.0009719222462203025;  // 1.8 m
constexpr double kSmallSpanNm = 0.009611230689557531;        // 17.8 m
constexpr double kSmallStepNm = 0.00755939524838013;         // 14 m
constexpr double kLargeStepNm = 0.011339092872570195;        // 21 m

// The cosine of a latitude for distanceFloorSquared; none (NaN) outside
// the poles, which keeps every pair with such a point for the full test.
double latitudeCosine(double lat) { return std::abs(lat) <= 90.0 ? std::cos(lat * kDegToRad) : std::nan(""); }

// sin x >= x - x^3/6 for x >= 0.
double sineFloor(double x) { return x - x * x * x / 6.0; }

// The square of a floor under gf_distanceNm(a, b), without trigonometry:
// the haversine distance is 2R asin(sqrt(h)) >= 2R sqrt(h), with
// h = sin^2(dLat/2) + cos(latA) cos(latB) sin^2(dLon/2).
double distanceFloorSquared(const LatLon& a, double cosLatA, const LatLon& b, double cosLatB) {
  double lonDegrees = std::abs(b.lon - a.lon);
  if (lonDegrees > 360.0) lonDegrees = std::fmod(lonDegrees, 360.0);
  if (lonDegrees > 180.0) lonDegrees = 360.0 - lonDegrees;
  const double latFloor = sineFloor(std::abs(b.lat - a.lat) * kDegToRad / 2.0);
  const double lonFloor = sineFloor(lonDegrees * kDegToRad / 2.0);
  return kTwiceEarthRadiusNm * kTwiceEarthRadiusNm * (latFloor * latFloor + cosLatA * cosLatB * lonFloor * lonFloor);
}

// Whether the floor alone shows the distance to be above the limit.
bool surelyFarther(double floorSquared, double limitNm) { return floorSquared > limitNm * limitNm * kFloorSlack; }

// A stand's place in the overlap search, packed apart from the stand.
struct Circle {
  LatLon position;
  double cosLat = 0.0;
  double radius = 0.0;
  size_t stand = 0;
};

}  // namespace

void buildOverlapTable(std::span<Stand> stands) {
  std::vector<Circle> circles;
  circles.reserve(stands.size());
  double largestRadius = 0.0;
  for (size_t at = 0; at < stands.size(); ++at) {
    Stand& stand = stands[at];
    stand.overlaps.clear();
    circles.push_back({stand.position(), latitudeCosine(stand.lat), stand.radius, at});
    largestRadius = std::max(largestRadius, stand.radius);
  }
  std::sort(circles.begin(), circles.end(),
            [](const Circle& a, const Circle& b) { return a.position.lat < b.position.lat; });
  for (size_t i = 0; i < circles.size(); ++i) {
    const Circle& a = circles[i];
    const double reachDegrees = (a.radius + largestRadius) / kOverlapMargin / kNmPerDegreeLatitude;
    for (size_t j = i + 1; j < circles.size(); ++j) {
      const Circle& b = circles[j];
      if (b.position.lat - a.position.lat > reachDegrees) break;
      const double radii = a.radius + b.radius;
      // No distance is below a sum of radii that is not above 0.
      if (!(radii > 0.0)) continue;
      if (surelyFarther(distanceFloorSquared(a.position, a.cosLat, b.position, b.cosLat), radii / kOverlapMargin)) continue;
      if (gf_distanceNm(a.position, b.position) * kOverlapMargin < radii) {
        stands[a.stand].overlaps.push_back(stands[b.stand].index);
        stands[b.stand].overlaps.push_back(stands[a.stand].index);
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
  for (const Stand& stand : stands) {
    entries_.push_back({stand.position(), latitudeCosine(stand.lat), stand.index, stand.id});
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.position.lat < b.position.lat; });
}

const StandPositions::Entry* StandPositions::nearest(const LatLon& position, double maxNm) const {
  const double reachDegrees = maxNm / kNmPerDegreeLatitude;
  auto first = std::lower_bound(entries_.begin(), entries_.end(), position.lat - reachDegrees,
                                [](const Entry& entry, double lat) { return entry.position.lat < lat; });
  const double cosLat = latitudeCosine(position.lat);
  const Entry* best = nullptr;
  double bestNm = maxNm;
  for (auto it = first; it != entries_.end() && it->position.lat <= position.lat + reachDegrees; ++it) {
    if (surelyFarther(distanceFloorSquared(position, cosLat, it->position, it->cosLat), bestNm)) continue;
    const double distance = gf_distanceNm(position, it->position);
    if (distance < bestNm || (best == nullptr && distance <= maxNm)) {
      bestNm = distance;
      best = &*it;
    }
  }
  return best;
}

}  // namespace tfx::airports

#include "lab_ground.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "lab_fidelity.h"
#include "traffic/motion_math.h"

namespace tfx::lab {
namespace {

const LiveAircraft* ownerOf(const TrafficState& traffic, uint32_t objectId) {
  for (const LiveAircraft& aircraft : traffic.liveList)
    if (aircraft.objectId == objectId) return &aircraft;
  return nullptr;
}

const StaticRecord* staticOf(const TrafficState& traffic, uint32_t objectId) {
  for (const StaticRecord& record : traffic.staticRecords)
    if (record.objectId == objectId) return &record;
  return nullptr;
}

// Reports this close in time stand for the two aircraft at one moment.
constexpr double kSameMomentSeconds = 2.0;

}  // namespace

void ReportedGround::add(uint32_t hexid, double seconds, const LatLon& position) {
  places_[hexid].push_back({seconds, position});
}

bool ReportedGround::cameWithin(uint32_t a, uint32_t b, double frameSeconds, double apartNm) const {
  const auto placesA = places_.find(a);
  const auto placesB = places_.find(b);
  if (placesA == places_.end() || placesB == places_.end()) return false;
  const FidelityOptions window;
  const double shown = frameSeconds - window.delaySeconds;
  return legPassedWithin(placesA->second, placesB->second, shown - window.behindSeconds,
                         shown + window.aheadSeconds, apartNm) ||
         legPassedWithin(placesB->second, placesA->second, shown - window.behindSeconds,
                         shown + window.aheadSeconds, apartNm);
}

bool ReportedGround::legPassedWithin(const std::vector<Place>& legs, const std::vector<Place>& points, double from,
                                     double to, double apartNm) {
  const auto starting = [](const std::vector<Place>& places, double seconds) {
    return std::lower_bound(places.begin(), places.end(), seconds,
                            [](const Place& place, double at) { return place.seconds < at; });
  };
  for (auto leg = starting(legs, from); leg != legs.end() && leg->seconds <= to; ++leg) {
    const auto legEnd = leg + 1 != legs.end() && (leg + 1)->seconds <= to ? leg + 1 : leg;
    for (auto point = starting(points, std::max(from, leg->seconds - kSameMomentSeconds));
         point != points.end() && point->seconds <= std::min(to, legEnd->seconds + kSameMomentSeconds); ++point) {
      if (distanceToSegmentM(point->position, leg->position, legEnd->position) < apartNm * kMetersPerNm) {
        return true;
      }
    }
  }
  return false;
}

void GroundWatch::frame(double seconds, const simstandin::World& world, const TrafficState& traffic) {
  standing_.clear();
  std::unordered_map<uint32_t, LatLon> current;
  for (const auto& [id, object] : world.objects()) {
    if (object.isUser || !world.onGround(object)) continue;
    const LatLon position{object.latitude, object.longitude};
    current.emplace(id, position);
    if (const auto before = previous_.find(id); before != previous_.end()) {
      figures_.groundJumpMaxM =
          std::max(figures_.groundJumpMaxM, gf_distanceNm(before->second, position) * kMetersPerNm);
    }
    double halfSpan = 0;
    const std::string* callsign = nullptr;
    uint32_t hexid = 0;
    if (const LiveAircraft* live = ownerOf(traffic, id)) {
      halfSpan = live->halfWingspan;
      callsign = &live->callsign;
      hexid = live->hexid;
      if (live->phase == FlightPhase::Parked && live->standId != 0) {
        figures_.parkErrorMaxM =
            std::max(figures_.parkErrorMaxM, gf_distanceNm(position, live->standPosition) * kMetersPerNm);
        figures_.parkHeadingErrorMaxDeg =
            std::max(figures_.parkHeadingErrorMaxDeg,
                     std::fabs(angleDifference(object.heading - live->standHeading)) * kRadToDeg);
      }
    } else if (const StaticRecord* parked = staticOf(traffic, id)) {
      halfSpan = parked->aircraft.halfWingspanNm;
      callsign = &parked->aircraft.callsign;
    }
    if (halfSpan > 0) standing_.push_back({position, halfSpan, callsign, hexid});
  }
  previous_ = std::move(current);
  countOverlaps(seconds);
}

void GroundWatch::countOverlaps(double seconds) {
  bool overlapping = false;
  bool allAsReported = true;
  for (size_t i = 0; i < standing_.size(); ++i) {
    for (size_t j = i + 1; j < standing_.size(); ++j) {
      const OnGround& one = standing_[i];
      const OnGround& other = standing_[j];
      const double reach = one.halfWingspanNm + other.halfWingspanNm;
      const double apartNm = gf_distanceNm(one.position, other.position);
      if (apartNm >= reach) continue;
      overlapping = true;
      const bool asReported =
          one.hexid != 0 && other.hexid != 0 && reported_.cameWithin(one.hexid, other.hexid, seconds, reach);
      allAsReported = allAsReported && asReported;
      std::string a = one.name();
      std::string b = other.name();
      if (b < a) std::swap(a, b);
      auto [pair, first] = figures_.overlapPairs.try_emplace({std::move(a), std::move(b)});
      const double apartM = apartNm * kMetersPerNm;
      pair->second.closestM = first ? apartM : std::min(pair->second.closestM, apartM);
      ++pair->second.frames;
      if (asReported) ++pair->second.framesAsReported;
    }
  }
  if (!overlapping) return;
  ++figures_.groundOverlaps;
  if (allAsReported) ++figures_.groundOverlapsAsReported;
}

}  // namespace tfx::lab

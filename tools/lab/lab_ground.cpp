#include "lab_ground.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

}  // namespace

void GroundWatch::frame(const simstandin::World& world, const TrafficState& traffic) {
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
    bool isStatic = false;
    if (const LiveAircraft* live = ownerOf(traffic, id)) {
      halfSpan = live->halfWingspan;
      callsign = &live->callsign;
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
      isStatic = true;
    }
    if (halfSpan > 0) standing_.push_back({position, halfSpan, callsign, isStatic});
  }
  previous_ = std::move(current);
  countOverlaps();
}

void GroundWatch::countOverlaps() {
  bool overlapping = false;
  for (size_t i = 0; i < standing_.size(); ++i) {
    for (size_t j = i + 1; j < standing_.size(); ++j) {
      const double apartNm = gf_distanceNm(standing_[i].position, standing_[j].position);
      if (apartNm >= standing_[i].halfWingspanNm + standing_[j].halfWingspanNm) continue;
      overlapping = true;
      std::string a = standing_[i].name();
      std::string b = standing_[j].name();
      if (b < a) std::swap(a, b);
      auto [pair, first] = figures_.overlapPairs.try_emplace({std::move(a), std::move(b)});
      const double apartM = apartNm * kMetersPerNm;
      pair->second.closestM = first ? apartM : std::min(pair->second.closestM, apartM);
      ++pair->second.frames;
    }
  }
  if (overlapping) ++figures_.groundOverlaps;
}

}  // namespace tfx::lab

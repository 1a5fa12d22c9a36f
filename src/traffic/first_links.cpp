#include "traffic/first_links.h"

#include "traffic/decode_existing.h"

namespace tfx {

std::optional<std::string_view> DefaultLivery::findLiveryLiveAc(const LiveryQuery&) { return kDefaultLiveryTitle; }

bool PointToPointMotion::takeReport(LiveAircraft& aircraft, TrackPoint point) {
  return appendUnlessStationaryNoise(aircraft, point);
}

void PointToPointMotion::advance(LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  while (history.size() > 1 && history[1].stamp <= cycle) history.pop_front();
  const TrackPoint& oldest = history.front();
  aircraft.block.lat = oldest.lat;
  aircraft.block.lon = oldest.lon;
  aircraft.block.altitude = oldest.altitude;
  aircraft.block.tas = oldest.tas;
}

}  // namespace tfx

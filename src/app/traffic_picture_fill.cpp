#include "app/traffic_picture_fill.h"

#include <array>

#include "core/geodesy.h"

namespace tfx::app {
namespace {

// The printed names of states and phases, looked up once rather than twice
// per aircraft and picture.
template <typename Enum, size_t Count>
class NameCache {
 public:
  explicit NameCache(std::string_view (*name)(Enum)) : name_(name) {
    for (size_t value = 0; value < Count; ++value) names_[value] = name(static_cast<Enum>(value));
  }
  std::string_view operator()(Enum value) const {
    const auto index = static_cast<size_t>(value);
    return index < Count ? names_[index] : name_(value);
  }

 private:
  std::string_view (*name_)(Enum);
  std::array<std::string_view, Count> names_;
};

const NameCache<SimState, 5> kStateNames{simStateName};
const NameCache<FlightPhase, 8> kPhaseNames{flightPhaseName};

}  // namespace

std::string_view pictureStateName(SimState state) { return kStateNames(state); }
std::string_view picturePhaseName(FlightPhase phase) { return kPhaseNames(phase); }

namespace {

bool groundPhase(FlightPhase phase) {
  return phase != FlightPhase::TakeOff && phase != FlightPhase::Flying && phase != FlightPhase::Birth;
}

void fillRow(ui::PictureAircraft& row, const LiveAircraft& aircraft) {
  row.hexid = aircraft.hexid;
  row.live = isLiveHexid(aircraft.hexid);
  row.callsign.assign(aircraft.callsign);
  row.type.assign(aircraft.type);
  row.airline.assign(aircraft.airline);
  row.registration.assign(aircraft.registration);
  row.origin.assign(aircraft.origin);
  row.destination.assign(aircraft.destination);
  row.state = kStateNames(aircraft.state);
  row.phase = kPhaseNames(aircraft.phase);
  row.livery = aircraft.title;
  row.stand = aircraft.standId != 0 ? std::optional<uint32_t>(aircraft.standId) : std::nullopt;
  const bool placed = aircraft.state != SimState::Buffer && aircraft.state != SimState::Adding2Sim;
  if (!placed && !aircraft.history.empty()) {
    const TrackPoint& first = aircraft.history.front();
    row.lat = first.lat;
    row.lon = first.lon;
    row.altitudeFt = first.altitude;
    row.headingDeg = first.track;
    row.speedKt = first.groundSpeed;
    row.onGround = !first.airborne;
    return;
  }
  row.lat = aircraft.block.lat;
  row.lon = aircraft.block.lon;
  row.altitudeFt = aircraft.block.altitude;
  row.headingDeg = aircraft.block.heading * kRadToDeg;
  row.speedKt = aircraft.block.tas;
  row.onGround = groundPhase(aircraft.phase);
}

}  // namespace

void fillTrafficPicture(ui::TrafficPicture& picture, const TrafficState& traffic,
                        const std::optional<ui::PictureUser>& user, double radiusNm) {
  picture.user = user;
  picture.radiusNm = radiusNm;
  // With room for the static rows that follow, so that the rows of the
  // picture before are filled again rather than made anew.
  picture.aircraft.resize(traffic.liveList.size() + traffic.staticRecords.size());
  for (size_t index = 0; index < traffic.liveList.size(); ++index) {
    fillRow(picture.aircraft[index], traffic.liveList[index]);
  }
}

}  // namespace tfx::app

#include "webwindow/traffic_json.h"

namespace tfx::webwindow {
namespace {

using nlohmann::ordered_json;

template <typename Value>
ordered_json orNull(const std::optional<Value>& value) {
  return value ? ordered_json(*value) : ordered_json();
}

ordered_json aircraftJson(const ui::PictureAircraft& aircraft) {
  return {{"hexid", aircraft.hexid},
          {"kind", aircraft.live ? "live" : "static"},
          {"callsign", aircraft.callsign},
          {"type", aircraft.type},
          {"airline", aircraft.airline},
          {"registration", aircraft.registration},
          {"origin", aircraft.origin},
          {"destination", aircraft.destination},
          {"state", aircraft.state},
          {"phase", aircraft.phase},
          {"lat", aircraft.lat},
          {"lon", aircraft.lon},
          {"alt_ft", aircraft.altitudeFt},
          {"heading_deg", aircraft.headingDeg},
          {"speed_kt", aircraft.speedKt},
          {"on_ground", aircraft.onGround},
          {"stand", orNull(aircraft.stand)},
          {"livery", aircraft.livery}};
}

}  // namespace

ordered_json trafficJson(const ui::TrafficPicture& picture, uint64_t revision) {
  ordered_json user;
  if (picture.user) {
    const ui::PictureUser& shown = *picture.user;
    user = {{"lat", shown.lat},
            {"lon", shown.lon},
            {"alt_ft", shown.altitudeFt},
            {"agl_ft", shown.aboveGroundFt},
            {"heading_deg", shown.headingDeg},
            {"ground_speed_kt", shown.groundSpeedKt},
            {"on_ground", shown.onGround}};
  }
  ordered_json airport;
  if (picture.parkAirport) {
    airport = {
        {"code", picture.parkAirport->code}, {"lat", picture.parkAirport->lat}, {"lon", picture.parkAirport->lon}};
  }
  ordered_json stands = ordered_json::array();
  for (const ui::PictureStand& stand : picture.stands) {
    stands.push_back({{"id", stand.id},
                      {"lat", stand.lat},
                      {"lon", stand.lon},
                      {"heading_deg", stand.headingDeg},
                      {"radius_m", stand.radiusM}});
  }
  ordered_json aircraft = ordered_json::array();
  for (const ui::PictureAircraft& row : picture.aircraft) aircraft.push_back(aircraftJson(row));
  return {{"revision", revision},    {"user", std::move(user)},     {"radius_nm", picture.radiusNm},
          {"park_airport", airport}, {"stands", std::move(stands)}, {"aircraft", std::move(aircraft)}};
}

std::string trafficJsonText(const ui::TrafficPictureBuffer& buffer) {
  std::string text;
  buffer.read([&](const ui::TrafficPicture& picture, uint64_t revision) {
    // Texts from the feed may hold anything; invalid UTF-8 is replaced rather than refused.
    text = trafficJson(picture, revision).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  });
  return text;
}

}  // namespace tfx::webwindow

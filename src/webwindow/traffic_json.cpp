#include "webwindow/traffic_json.h"

#include "webwindow/json_text.h"

namespace tfx::webwindow {
namespace {

// Room for one aircraft's object, so that the text grows once.
constexpr size_t kBytesPerAircraft = 400;

void writeUser(JsonText& json, const std::optional<ui::PictureUser>& user) {
  if (!user) {
    json.null();
    return;
  }
  json.beginObject()
      .member("lat", user->lat)
      .member("lon", user->lon)
      .member("alt_ft", user->altitudeFt)
      .member("agl_ft", user->aboveGroundFt)
      .member("heading_deg", user->headingDeg)
      .member("ground_speed_kt", user->groundSpeedKt)
      .member("on_ground", user->onGround)
      .endObject();
}

void writeAirport(JsonText& json, const std::optional<ui::PictureAirport>& airport) {
  if (!airport) {
    json.null();
    return;
  }
  json.beginObject().member("code", airport->code).member("lat", airport->lat).member("lon", airport->lon).endObject();
}

void writeAircraft(JsonText& json, const ui::PictureAircraft& aircraft) {
  json.beginObject()
      .member("hexid", aircraft.hexid)
      .member("kind", aircraft.live ? "live" : "static")
      .member("callsign", aircraft.callsign.view())
      .member("type", aircraft.type.view())
      .member("airline", aircraft.airline.view())
      .member("registration", aircraft.registration.view())
      .member("origin", aircraft.origin.view())
      .member("destination", aircraft.destination.view())
      .member("state", aircraft.state)
      .member("phase", aircraft.phase)
      .member("lat", aircraft.lat)
      .member("lon", aircraft.lon)
      .member("alt_ft", aircraft.altitudeFt)
      .member("heading_deg", aircraft.headingDeg)
      .member("speed_kt", aircraft.speedKt)
      .member("on_ground", aircraft.onGround)
      .member("stand", aircraft.stand)
      .member("livery", aircraft.livery)
      .endObject();
}

}  // namespace

std::string trafficJsonText(const ui::TrafficPicture& picture, uint64_t revision) {
  JsonText json(kBytesPerAircraft * (picture.aircraft.size() + 1));
  json.beginObject().member("revision", revision).key("user");
  writeUser(json, picture.user);
  json.member("radius_nm", picture.radiusNm).key("park_airport");
  writeAirport(json, picture.parkAirport);
  json.key("stands").beginArray();
  for (const ui::PictureStand& stand : picture.stands) {
    json.beginObject()
        .member("id", stand.id)
        .member("lat", stand.lat)
        .member("lon", stand.lon)
        .member("heading_deg", stand.headingDeg)
        .member("radius_m", stand.radiusM)
        .endObject();
  }
  json.endArray().key("aircraft").beginArray();
  for (const ui::PictureAircraft& aircraft : picture.aircraft) writeAircraft(json, aircraft);
  json.endArray().endObject();
  return json.take();
}

std::string trafficJsonText(const ui::TrafficPictureBuffer& buffer) {
  std::string text;
  buffer.read([&](const ui::TrafficPicture& picture, uint64_t revision) { text = trafficJsonText(picture, revision); });
  return text;
}

}  // namespace tfx::webwindow

#pragma once
// What the web window's benchmarks share: a window with its controls, API
// and traffic picture, and a thousand aircraft to publish.
#include "app/parking_picture_fill.h"
#include "app/traffic_picture_fill.h"
#include "core/parameters.h"
#include "ui/window_commands.h"
#include "webwindow/inline_window_port.h"
#include "webwindow/web_api.h"

namespace tfx::bench {

// 500 live aircraft around Zurich and 500 static ones on its stands.
inline TrafficState thousandAircraft() {
  TrafficState traffic;
  for (uint32_t index = 0; index < 500; ++index) {
    LiveAircraft& aircraft = traffic.liveList.emplace_back();
    aircraft.hexid = 0x4b0000 + index;
    aircraft.callsign = "SWR" + std::to_string(index);
    aircraft.type = "A320";
    aircraft.airline = "SWR";
    aircraft.registration = "HB-JL" + std::to_string(index % 10);
    aircraft.origin = "LSZH";
    aircraft.destination = "EGLL";
    aircraft.state = SimState::Active;
    aircraft.phase = FlightPhase::Flying;
    aircraft.title = "Airbus A320 SWISS";
    aircraft.block.lat = 47.0 + index * 0.001;
    aircraft.block.lon = 8.5 + index * 0.001;
    aircraft.block.altitude = 3000;
  }
  for (uint32_t index = 0; index < 500; ++index) {
    StaticRecord& record = traffic.staticRecords.emplace_back();
    record.aircraft = {.hexid = index + 1,
                       .standIndex = static_cast<int>(index + 1),
                       .position = {47.45 + index * 0.0001, 8.55},
                       .halfWingspanNm = 0.01,
                       .airline = "EZY",
                       .type = "A319",
                       .callsign = "EZY" + std::to_string(index),
                       .callsignNote = {},
                       .registration = "G-EZB" + std::to_string(index % 10)};
    record.title = "Airbus A319 easyJet";
    record.active = true;
  }
  return traffic;
}

inline void publishThousandAircraft(ui::TrafficPictureBuffer& buffer, const TrafficState& traffic) {
  app::fillTrafficPicture(buffer.back(), traffic, ui::PictureUser{.lat = 47.45, .lon = 8.55}, 40);
  app::fillParkingPicture(buffer.back(), nullptr, traffic);
  buffer.publish();
}

struct BenchWindow {
  BenchWindow() {
    setControlView(&model);
    setWindowSurface(&model);
    ui::createWindowControls(model);
    AUTO_RANGE.set(false);
    ui::createWindowControls(model);
    api.setPort(10750);
  }
  ~BenchWindow() {
    setWindowSurface(nullptr);
    setControlView(nullptr);
  }
  ui::WindowModel model;
  ui::WindowRequests requests;
  ui::TrafficPictureBuffer picture;
  ui::WindowContext context{model, requests, picture, [](uint32_t) {}};
  webwindow::InlineWindowPort port{context};
  webwindow::WebApi api{model, picture, port, false};
};

}  // namespace tfx::bench

#pragma once
// The park airport's part of the traffic picture: the airport and its
// stands, the static aircraft on them, the parking's status values and the
// first park airport, which the automatic radius measures to.
#include "app/park_airport_work.h"
#include "traffic/traffic_state.h"
#include "ui/traffic_picture.h"

namespace tfx::app {

// The static aircraft go into the rows after those of the live list.
// Without parking work the picture has no park airport.
void fillParkingPicture(ui::TrafficPicture& picture, const ParkAirportWork* parking, const TrafficState& traffic);

}  // namespace tfx::app

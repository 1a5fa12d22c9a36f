#pragma once
// What the window's handlers work on: the window itself, the requests to the
// main program thread, the traffic picture and the running session's
// notification list (for blocked callsigns).
#include <cstdint>
#include <functional>

#include "ui/traffic_picture.h"
#include "ui/window_model.h"
#include "ui/window_requests.h"

namespace tfx::ui {

struct WindowContext {
  WindowModel& model;
  WindowRequests& requests;
  const TrafficPictureBuffer& picture;
  // Tells the running session that this live aircraft's callsign is blocked; without a session it does nothing.
  std::function<void(uint32_t hexid)> blockLiveAircraft;
};

}  // namespace tfx::ui

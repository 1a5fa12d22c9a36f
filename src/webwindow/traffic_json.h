#pragma once
// The traffic picture as the page reads it.
#include <nlohmann/json.hpp>

#include "ui/traffic_picture.h"

namespace tfx::webwindow {

nlohmann::ordered_json trafficJson(const ui::TrafficPicture& picture, uint64_t revision);
// The front picture of the buffer, serialised under its lock.
std::string trafficJsonText(const ui::TrafficPictureBuffer& buffer);

}  // namespace tfx::webwindow

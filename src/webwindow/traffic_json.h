#pragma once
// The traffic picture as the page reads it.
#include <string>

#include "ui/traffic_picture.h"

namespace tfx::webwindow {

std::string trafficJsonText(const ui::TrafficPicture& picture, uint64_t revision);
// The front picture of the buffer, written under its lock.
std::string trafficJsonText(const ui::TrafficPictureBuffer& buffer);

}  // namespace tfx::webwindow

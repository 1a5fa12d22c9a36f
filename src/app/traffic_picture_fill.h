#pragma once
// The traffic picture as the main program thread fills it from its live
// records: buffered aircraft at their first track point, the others where
// their simulator object was last placed.
#include <optional>

#include "traffic/traffic_state.h"
#include "ui/traffic_picture.h"

namespace tfx::app {

// Every 50th main cycle (twice a second) the window gets a new picture.
inline constexpr int32_t kCyclesBetweenPictures = 50;

// simStateName and flightPhaseName, from a table made once.
std::string_view pictureStateName(SimState state);
std::string_view picturePhaseName(FlightPhase phase);

// The user, the radius and the live rows; the parking's part, with the static
// rows after the live ones, follows (parking_picture_fill).
void fillTrafficPicture(ui::TrafficPicture& picture, const TrafficState& traffic,
                        const std::optional<ui::PictureUser>& user, double radiusNm);

}  // namespace tfx::app

#pragma once
// The values the status area shows, gathered in one place when the window paints.
#include <cstdint>
#include <string>

#include "realtraffic/feed_state.h"
#include "ui/parking_status.h"

namespace tfx::ui {

struct StatusValues {
  std::string version{};
  int32_t liveCount = 0;
  std::string liveryCount{};  // "# liveries: {}" as the livery code words it
  std::string thirdpartyCount{};  // "# thirdp: {}" as the add-on count words it
  std::string orbxCount{};  // "{} airport{} in {} folder", or empty
  int32_t qnh = 0;
  std::string edition{};  // "RT{} edition: {}", or empty
  bool realTrafficConnected = false;
  bool simulatorConnected = false;
  std::string simulator{};  // "Waiting for ..." or the simulator's name
  std::string userTitle{};
  std::string userStand{};
  int32_t weatherState = kFeedNotStarted;
  int32_t trafficState = kFeedNotStarted;
  ParkingStatus parking{};
};

}  // namespace tfx::ui

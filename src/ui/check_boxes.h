#pragma once
// The check boxes: each one toggles, stores and saves its setting; then the
// message and the work of its row in the table.
#include <optional>
#include <string_view>

#include "core/parameter_types.h"
#include "ui/window_context.h"

namespace tfx::ui {

enum class CheckWork {
  None,
  Topmost,          // the window stays on top or not
  ScanRestart,      // before RealTraffic connected: restart the session to scan
  AutoRange,        // the automatic radius takes over or gives the manual one back
  NavLights,        // the parked aircraft's navigation lights follow the box
  AnnounceParking,  // the parking is rebuilt and its answer announced
  RequestParking,   // the parking is rebuilt at the next 15th tick
};

// What a row shows: nullopt leaves the message line alone, "" clears it.
// "{}" stands for the product name.
struct CheckBoxRow {
  CheckBoxParameter* setting;
  std::optional<std::string_view> whenOn{};
  std::optional<std::string_view> whenOff{};
  CheckWork work = CheckWork::None;
  // ScanRestart: the message once the session no longer waits for RealTraffic.
  std::string_view whenOnLater{};
};

const std::vector<CheckBoxRow>& checkBoxRows();

// False when the control is no check box.
bool handleCheckBox(WindowContext& context, ControlId id);

// Announces a parking rebuild: requested when static parking runs, and unless
// INITIAL_LOAD_ONLY is set, the seconds until the next 15th tick.
void announceParkingUpdate(WindowRequests& requests);

// The automatic radius from the user and the first park airport of the traffic picture.
void applyPictureRadius(const TrafficPictureBuffer& picture);

}  // namespace tfx::ui

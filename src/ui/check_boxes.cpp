#include "ui/check_boxes.h"

#include <fmt/format.h>

#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "ui/automatic_radius.h"

namespace tfx::ui {
namespace {

constexpr int32_t kRestartDelaySeconds = 2;
constexpr int32_t kParkingTickEvery = 15;

void show(std::string_view text, bool log = false) {
  if (text.empty()) {
    clearMessage();
    return;
  }
  showMessage(fmt::format(fmt::runtime(text), kProductName), log);
}

void switchAutoRange(WindowContext& context, bool on) {
  context.model.setEnabled(RANGE.controlPlace()->id, !on);
  context.model.setEnabled(AR_ABOVE_HEIGHT.controlPlace()->id, on);
  if (on) {
    context.requests.manualRadius = RANGE.value();
    applyPictureRadius(context.picture);
    return;
  }
  RANGE.set(context.requests.manualRadius.load());
  updateTrafficRadius();
  RANGE.showInControl();
}

void doWork(WindowContext& context, const CheckBoxRow& row, bool on) {
  switch (row.work) {
    case CheckWork::None:
      break;
    case CheckWork::Topmost:
      context.model.setTopmost(on);
      break;
    case CheckWork::ScanRestart:
      if (!on) break;
      // Before RealTraffic connected nothing is lost by starting over, so the scan runs at once.
      if (!realTrafficStatus().connected) {
        show(*row.whenOn, true);
        requestSessionExit(ExitReason::NewSettings, kRestartDelaySeconds);
      } else {
        show(row.whenOnLater);
      }
      break;
    case CheckWork::AutoRange:
      switchAutoRange(context, on);
      break;
    case CheckWork::NavLights:
      context.requests.navLights = true;
      break;
    case CheckWork::AnnounceParking:
      announceParkingUpdate(context.requests);
      break;
    case CheckWork::RequestParking:
      if (context.requests.staticParkingActive) context.requests.parkingUpdate = true;
      break;
  }
}

}  // namespace

const std::vector<CheckBoxRow>& checkBoxRows() {
  using enum CheckWork;
  static const std::vector<CheckBoxRow> rows = {
      {&LIG_AUTOMATIC, "", "The liveries defined by your lfolder parameters will be scanned"},
      {&LIG_PRIORITIZE, "Liveries, for airl+model, in lower lfolders that are already available will be skipped", ""},
      {&COLLISION_LIVE_PARKED_GND, "",
       "Be aware, no collision avoidance with live aircraft vs parked static on the ground"},
      {&COLLISION_USER_GND, "", "Be aware, no collision avoidance with user aircraft on the ground"},
      {&COLLISION_USER_AIR, "", "Be aware, no collision avoidance with user aircraft in the air"},
      {&INITIAL_LOAD_ONLY, "Initial Load Only: static parked aircraft are generated once, no renewal every 20 minutes",
       "", RequestParking},
      {&ALWAYS_ON_TOP, "{}'s window will remain visible", "", Topmost},
      {&SUPPRESS_STUB, "Exclude FSLTL-liveries titles ending with _STUB from scan", std::nullopt},
      {&GUID_CHANGES, std::nullopt,
       "Be aware, no more livery updates: you miss correct data for Learn, LittleNavMap, etc!"},
      {&AEROWINX, "Note: This mode is for Aerowinx PSX users only, please re-start {}", std::nullopt},
      {&SCAN_LIVERIES, "Your liveries will be scanned", "", ScanRestart,
       "Your liveries will be scanned at the next start of {}, recommended after you have add/removed AI aircraft "
       "models/liveries"},
      {&SCAN_AIRPORTS, "Your airports will be scanned", "", ScanRestart,
       "Your airports will be scanned at the next start of {}, recommended after you have add/removed airports"},
      {&AFG_AUTOMATIC, "The airports defined by your afolder parameters will be scanned", std::nullopt},
      {&AUTO_RANGE, std::nullopt, std::nullopt, AutoRange},
      {&NAV_LIGHTS_WHILE_PARKED, std::nullopt, std::nullopt, NavLights},
      {&PARK_SOFT, std::nullopt, std::nullopt, AnnounceParking},
      {&PARK_FAKE, std::nullopt, std::nullopt, AnnounceParking},
      {&WEEK, std::nullopt, std::nullopt, AnnounceParking},
      {&LEARN_SOFT, std::nullopt, std::nullopt, RequestParking},
      {&LOG, std::nullopt, std::nullopt},
      {&STRAIGHT_PBS_ONLY, std::nullopt, std::nullopt},
      {&LIGHT_AIRCRAFT, std::nullopt, std::nullopt},
      {&HELICOPTERS, std::nullopt, std::nullopt},
      {&HIGH_PERF_AIRCRAFT, std::nullopt, std::nullopt},
  };
  return rows;
}

bool handleCheckBox(WindowContext& context, ControlId id) {
  const auto& rows = checkBoxRows();
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const CheckBoxRow& candidate) {
    return candidate.setting->controlPlace()->id == id;
  });
  if (row == rows.end()) return false;
  const std::optional<ControlState> box = context.model.control(id);
  const bool on = !(box && box->checked);
  row->setting->set(on);
  saveParameter(*row->setting);
  row->setting->showInControl();
  const std::optional<std::string_view>& message = on ? row->whenOn : row->whenOff;
  // The scans tell their own message, which depends on the session.
  const bool scanOn = on && row->work == CheckWork::ScanRestart;
  // The automatic airport scan is announced in the log as well.
  if (message && !scanOn) show(*message, row->setting == &AFG_AUTOMATIC);
  doWork(context, *row, on);
  return true;
}

void announceParkingUpdate(WindowRequests& requests) {
  if (!requests.staticParkingActive) return;
  requests.parkingUpdate = true;
  if (INITIAL_LOAD_ONLY.value()) return;
  const int32_t seconds = kParkingTickEvery - requests.tickCounter % kParkingTickEvery;
  showMessage(fmt::format("{} will respond in {} second{} ...", kProductName, seconds, seconds == 1 ? "" : "s"), false);
}

void applyPictureRadius(const TrafficPictureBuffer& picture) {
  std::optional<RadiusUser> user;
  std::optional<LatLon> parkAirport;
  picture.read([&](const TrafficPicture& shown, uint64_t) {
    if (shown.user) user = radiusUserOf(*shown.user);
    if (const auto& first = shown.parking.firstParkAirport) parkAirport = LatLon{first->lat, first->lon};
  });
  applyAutomaticRadius(user, parkAirport);
}

}  // namespace tfx::ui

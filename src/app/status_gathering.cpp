#include "app/status_gathering.h"

#include <algorithm>

#include "aircraft/livery_catalogue.h"
#include "realtraffic/published_qnh.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/product.h"
#include "scan/addon_counts.h"

namespace tfx::app {

ui::StatusValues gatherStatusValues(const ProgramRun& program) {
  ui::StatusValues values;
  values.version = kRunningVersionText;
  program.picture.read([&](const ui::TrafficPicture& picture, uint64_t) {
    values.liveCount = static_cast<int32_t>(
        std::count_if(picture.aircraft.begin(), picture.aircraft.end(), [](const auto& row) { return row.live; }));
    values.parking = picture.parking;
  });
  values.liveryCount = liveryCountText();
  values.thirdpartyCount = scan::thirdpartyCountText();
  values.orbxCount = scan::orbxCountText();
  values.qnh = publishedQnh().load();
  values.edition = realTrafficStatus().editionText();
  values.realTrafficConnected = realTrafficStatus().connected;
  program.session.fillStatus(values);
  return values;
}

}  // namespace tfx::app

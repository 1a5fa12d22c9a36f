#include "app/session_reset.h"

#include "core/message_line.h"
#include "core/parameters.h"
#include "realtraffic/published_qnh.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/stop_flags.h"

namespace tfx::app {

void resetSessionState() {
  clearStopFlags();
  messageLine().clearAll();
  publishedQnh() = kStandardQnh;
  RealTrafficStatus& status = realTrafficStatus();
  status.connected = false;
  status.professional = false;
  status.setEditionText("");
  updateTrafficRadius();
}

}  // namespace tfx::app

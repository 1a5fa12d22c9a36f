#include "app/running_session.h"

namespace tfx::app {

void RunningSession::attach(SessionParts parts) {
  std::lock_guard guard(lock_);
  parts_ = parts;
}

void RunningSession::detach() {
  std::lock_guard guard(lock_);
  parts_ = {};
}

void RunningSession::postCallsignBlocked(uint32_t hexid) {
  std::lock_guard guard(lock_);
  if (parts_.simulator == nullptr) return;
  parts_.simulator->exchange().postNotification({.hexid = hexid, .kind = sim::NotificationKind::CallsignBlocked});
}

void RunningSession::fillStatus(ui::StatusValues& values) const {
  std::lock_guard guard(lock_);
  if (parts_.simulator != nullptr) {
    const sim::SimStatusTexts texts = parts_.simulator->statusTexts();
    values.simulatorConnected = parts_.simulator->connected();
    values.simulator = texts.simulator;
    values.userTitle = texts.userTitle;
    values.userStand = texts.userStand;
  }
  if (parts_.weather != nullptr) values.weatherState = parts_.weather->state.load();
  if (parts_.traffic != nullptr) values.trafficState = parts_.traffic->state.load();
}

}  // namespace tfx::app

#include "sim/session_values.h"

namespace tfx::sim {

UserState SessionValues::received() const {
  std::lock_guard lock(lock_);
  return received_;
}

void SessionValues::setReceived(const UserState& state) {
  std::lock_guard lock(lock_);
  received_ = state;
}

UserState SessionValues::snapshot() const {
  std::lock_guard lock(lock_);
  return snapshot_;
}

void SessionValues::copyReceivedToSnapshot() {
  std::lock_guard lock(lock_);
  snapshot_ = received_;
}

std::optional<bool> SessionValues::userOnGround() const {
  std::lock_guard lock(lock_);
  return userOnGround_;
}

void SessionValues::setUserOnGround(bool onGround) {
  std::lock_guard lock(lock_);
  userOnGround_ = onGround;
}

UserAircraft SessionValues::userAircraft() const {
  std::lock_guard lock(lock_);
  return userAircraft_;
}

void SessionValues::setUserTitle(const std::string& title) {
  std::lock_guard lock(lock_);
  userAircraft_.title = title;
}

void SessionValues::setUserModel(const std::string& model, double halfWingspanNm, AircraftCategory category) {
  std::lock_guard lock(lock_);
  userAircraft_.model = model;
  userAircraft_.halfWingspanNm = halfWingspanNm;
  userAircraft_.category = category;
}

SimStatusTexts SessionValues::statusTexts() const {
  std::lock_guard lock(lock_);
  return texts_;
}

std::string SessionValues::simulatorName() const {
  std::lock_guard lock(lock_);
  return simulatorName_;
}

void SessionValues::setSimulatorText(const std::string& text) {
  std::lock_guard lock(lock_);
  texts_.simulator = text;
}

void SessionValues::setSimulatorName(const std::string& name) {
  std::lock_guard lock(lock_);
  simulatorName_ = name;
  texts_.simulator = name;
}

void SessionValues::setUserTitleText(const std::string& text) {
  std::lock_guard lock(lock_);
  texts_.userTitle = text;
}

bool SessionValues::setUserStandText(const std::string& text) {
  std::lock_guard lock(lock_);
  if (texts_.userStand == text) return false;
  texts_.userStand = text;
  return true;
}

void SessionValues::setNotice(const std::string& text) {
  std::lock_guard lock(lock_);
  texts_.notice = text;
}

}  // namespace tfx::sim

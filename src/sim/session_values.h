#pragma once
// The session values the "SimClient" thread writes and the main program
// thread and the window read: single words as atomics, the rest under a lock.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "sim/sim_ids.h"
#include "sim/user_state.h"

namespace tfx::sim {

// What the status area shows of the simulator link.
struct SimStatusTexts {
  std::string simulator;  // "Waiting for Prepar3Dv{} ..." until open, then the simulator's name
  std::string userTitle;  // cut to 48 characters
  std::string userStand;  // the park airport's stand under the user aircraft
  std::string notice;     // what the simulator complained about
};

class SessionValues {
 public:
  std::atomic<int> expectedMajorVersion{5};
  std::atomic<bool> connected{false};
  std::atomic<bool> flightRunning{false};
  // Set by the request-error routine; the frame work then sends nothing.
  std::atomic<bool> paused{false};
  // Set with every on-ground reply (once a second); the main loop's go flag.
  std::atomic<bool> tick{false};
  std::atomic<uint32_t> userObjectId{kInitialUserObjectId};
  std::atomic<double> frameRate{0};

  // The user state as last received, and the snapshot the traffic logic reads.
  UserState received() const;
  void setReceived(const UserState& state);
  UserState snapshot() const;
  void copyReceivedToSnapshot();

  std::optional<bool> userOnGround() const;
  void setUserOnGround(bool onGround);

  UserAircraft userAircraft() const;
  void setUserTitle(const std::string& title);
  void setUserModel(const std::string& model, double halfWingspanNm, AircraftCategory category);

  SimStatusTexts statusTexts() const;
  std::string simulatorName() const;
  void setSimulatorText(const std::string& text);
  void setSimulatorName(const std::string& name);
  void setUserTitleText(const std::string& text);
  // False when the stand was shown already.
  bool setUserStandText(const std::string& text);
  void setNotice(const std::string& text);

 private:
  mutable std::mutex lock_;
  UserState received_;
  UserState snapshot_;
  std::optional<bool> userOnGround_;
  UserAircraft userAircraft_;
  SimStatusTexts texts_;
  std::string simulatorName_;
};

}  // namespace tfx::sim

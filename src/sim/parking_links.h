#pragma once
// What the session asks of the park airport's stands and the static parking,
// which live in higher subsystems. Both are called on the "SimClient" thread:
// an implementation guards its data or hands the work to the main program thread.
#include <cstdint>
#include <string>

#include "core/geodesy.h"

namespace tfx::sim {

// A stand of the park airport; index 0 means none.
struct UserStand {
  uint32_t index = 0;
  std::string name;
  bool operator==(const UserStand&) const = default;
};

class UserStandLookup {
 public:
  virtual ~UserStandLookup() = default;
  // The park airport's stand nearest to the position within 55 m, or none.
  virtual UserStand standAt(const LatLon& position) const = 0;
};

class StaticParkingRecompute {
 public:
  virtual ~StaticParkingRecompute() = default;
  // The user stand recorded for the park airport.
  virtual uint32_t recordedUserStand() const = 0;
  // Records the stand and computes the static parking anew, so that no static
  // aircraft stands where the user does.
  virtual void userStandChanged(const UserStand& stand) = 0;
};

// Without a park airport: no stands, nothing to recompute.
class NoStands final : public UserStandLookup {
 public:
  UserStand standAt(const LatLon&) const override { return {}; }
};

class NoStaticParking final : public StaticParkingRecompute {
 public:
  uint32_t recordedUserStand() const override { return 0; }
  void userStandChanged(const UserStand&) override {}
};

struct ParkingLinks {
  UserStandLookup* standLookup = nullptr;           // none: NoStands
  StaticParkingRecompute* staticParking = nullptr;  // none: NoStaticParking
};

}  // namespace tfx::sim

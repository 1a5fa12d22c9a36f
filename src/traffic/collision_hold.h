#pragma once
// A buffered aircraft held back before its spawn, every cycle, while it would
// appear where the user aircraft is or is heading.
#include "traffic/traffic_context.h"

namespace tfx {

// True when the aircraft is held: its oldest point goes and its wait flag is set.
bool holdBackForUser(const UserSnapshot& user, LiveAircraft& aircraft);

class UserCollisionAvoidance final : public UserCollisionHold {
 public:
  bool holdsBack(TrafficContext& context, LiveAircraft& aircraft) override {
    return holdBackForUser(context.simulator.userSnapshot(), aircraft);
  }
};

}  // namespace tfx

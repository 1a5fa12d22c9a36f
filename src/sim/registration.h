#pragma once
// Everything the session declares to the simulator right after opening: data
// definitions, system event subscriptions, client events and their group.
#include "sim/sim_connect_ops.h"

namespace tfx::sim {

// Results are not checked: a refused declaration comes back as an exception.
void registerSession(SimConnectOps& ops);

}  // namespace tfx::sim

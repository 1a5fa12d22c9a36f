#pragma once
// The main program thread's side of creating and removing AI objects: create
// requests built from the addingStack, and the pacing that hands creates and
// removals to the simulator thread.
#include <cstddef>
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// The newest hexid of the addingStack becomes a create request at the end of
// the live create queue.
void lf_handleAddingStack(TrafficContext& context);

// Every 10th cycle one removal, every 50th one create request goes to the simulator.
void paceCreatesAndRemovals(TrafficContext& context, int32_t cycle);

// Live create requests on their way: in the live create queue or handed over and not yet sent.
size_t waitingLiveCreates(TrafficContext& context);

// Takes the hexid's request out of the live create queue; false when none waits there.
bool cancelQueuedCreate(TrafficState& state, uint32_t hexid);

}  // namespace tfx

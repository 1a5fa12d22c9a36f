#pragma once
// A live aircraft's object exists: it is matched to its record, asked for its
// shape, has its lights toggled twice while it settles, and becomes active.
#include <cstdint>

#include "sim/sim_notification.h"
#include "traffic/traffic_context.h"

namespace tfx {

// Notification kind 0: object id and altitude above ground go into the record.
void onLiveObjectCreated(TrafficContext& context, const sim::SimNotification& notification);

// Once per main cycle: the created objects count on towards their activation.
void advanceCreatedObjects(TrafficContext& context);

}  // namespace tfx

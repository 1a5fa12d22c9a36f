#pragma once
// The update pass: every record's work of one cycle, then the records that
// are done leave the liveList.
#include "traffic/traffic_context.h"

namespace tfx {

// True when the record is to be erased (drop or cancelled flag). A failure
// inside is logged with the aircraft and counts as a drop.
bool updateLiveAc(TrafficContext& context, LiveAircraft& aircraft);

// updateLiveAc for every record in order; the flagged ones are erased,
// keeping the order of the others.
void updatePass(TrafficContext& context);

}  // namespace tfx

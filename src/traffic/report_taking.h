#pragma once
// Whether a report of a live aircraft past its birth joins its track history
// while it extrapolates, lands or rolls out.
#include "traffic/traffic_context.h"

namespace tfx {

// True when the point was appended.
bool checkExtendingSituations(LiveAircraft& aircraft, TrackPoint point);

// Reports while landing or in the rollout; true when the point was appended.
bool checkNewPosDuringLanding(LiveAircraft& aircraft, TrackPoint point);

}  // namespace tfx

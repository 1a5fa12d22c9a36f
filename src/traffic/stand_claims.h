#pragma once
// Who may stand on a stand: a live aircraft claiming a stand against the
// live aircraft on it and on the stands around it, and the static aircraft
// that make way for it.
#include "airports/stand.h"
#include "traffic/traffic_context.h"

namespace tfx {

// The claim of a newly placed aircraft: the live aircraft on the stand goes,
// unless the newcomer is the provisional ("ghost") copy of it. False when the
// newcomer is to be dropped: the holder stays, or an aircraft on an adjacent
// stand stands too close.
bool claimAtSpawn(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand);

// An aircraft about to drive onto the stand: the live aircraft parked on it,
// and those on adjacent stands that stand too close, go.
void clearForParking(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand);

// Static aircraft on the stand go for the live one.
void staticsMakeWay(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand);

// Two aircraft on stands this far apart stand in each other (1.1 x their summed half wingspans).
bool tooCloseOnStands(double distanceNm, double halfSpanA, double halfSpanB);

}  // namespace tfx

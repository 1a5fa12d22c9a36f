#pragma once
// Taking a live aircraft out of the traffic, by its state, and the rules of
// provisional ("ghost") callsigns that lead to it.
#include <string_view>

#include "traffic/traffic_context.h"

namespace tfx {

// In "buffer" the record is dropped; in "adding2sim" it is cancelled while its
// hexid still waits on the addingStack or its request in the live create
// queue, else its removal is pending; later it
// goes to "removingfromsim" and its object id to the removal queue. The
// reason names the rule that asked, for the observer.
void removeAircraftFromSim(TrafficContext& context, LiveAircraft& aircraft, std::string_view reason);

// The real flight of callsign C appeared: a record "C_" (not being removed)
// is a ghost; its callsign goes on the ghostList and it is removed.
void applyGhostRule(TrafficContext& context, std::string_view callsign);

// For "C_": a record with callsign C that is not being removed exists.
bool realFlightPresent(TrafficState& state, std::string_view provisionalCallsign);

// The object goes so that the aircraft comes back with the livery that fits
// its new identity; the record waits in "liveryrespawn".
void liveryRespawn(TrafficContext& context, LiveAircraft& aircraft);

}  // namespace tfx

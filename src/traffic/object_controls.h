#pragma once
// The controls of a live aircraft's object that the main program thread sets
// with client events: throttle and flaps (sent only when they change), and
// the engines, spoilers and lights of an aircraft at its activation.
#include <cstdint>

#include "sim/exchange_lists.h"
#include "traffic/live_aircraft.h"

namespace tfx {

// Index 0 to 4 sends "THROTTLE_SET"; 5 sends nothing. The index is stored.
void setThrottle(sim::ExchangeLists& exchange, LiveAircraft& aircraft, uint32_t index);
// Index 0 to 4 sends "FLAPS_SET" (never for a Rotorcraft); a larger one is
// logged. The index is stored in every case.
void gf_setFlaps(sim::ExchangeLists& exchange, LiveAircraft& aircraft, uint32_t index);

// The lights of an aircraft moving on the ground, the taxi light on or off
// (off while it is pushed back).
void lightUpTaxiing(sim::ExchangeLists& exchange, const LiveAircraft& aircraft, bool taxiLight);

// The seven lights of an aircraft on its stand, live or static: navigation by
// the setting, logo on, the cabin dark on a cargo stand and in one aircraft of ten.
void setParkedLights(sim::ExchangeLists& exchange, uint32_t objectId, bool cargoStand);

// An aircraft on its stand: throttle and flaps at 0, engines off, the parked
// lights.
void lightUpParked(sim::ExchangeLists& exchange, LiveAircraft& aircraft);

// The object of a live aircraft gets engines, spoilers, lights, throttle and
// flaps for the air or the ground, by its oldest track point.
void lightUpLiveAircraft(sim::ExchangeLists& exchange, LiveAircraft& aircraft);

}  // namespace tfx

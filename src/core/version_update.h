#pragma once
// Settings of older program versions, converted once after an update.
#include <cstdint>

namespace tfx {

// Compares the stored PROGRAM_VERSION with the running one and, on an update,
// converts the legacy settings into their successors.
void checkVersionUpdate();

// The value of the RANGE list nearest to a radius in nautical miles.
int32_t nearestRangeValue(int32_t nm);
// The value of the height lists (AR_ABOVE_HEIGHT, AIRP_HEIGHT) for a height in feet.
int32_t nearestHeightValue(int32_t feet);
int32_t maxParkFromCustom(int32_t customMaxPark);
int32_t maxLiveFromLegacy(int32_t maxLive);
int32_t airportRangeFromLegacy(int32_t airportRange);

}  // namespace tfx

#pragma once
// The nearest stand of any airport's stand file, for choosing between two
// neighbouring airports.
#include <string_view>

#include "airports/closest_airport.h"
#include "data/download_site.h"

namespace tfx::airports {

// Distance to the nearest stand of the airport's stand file and its id;
// 100.0 nm when there is no file, it cannot be fetched or read, or no stand
// is nearer. Never throws.
NearestStand gf_readDestApfForClosestStand(const Airport& airport, const LatLon& position,
                                           std::string_view baseUrl = kDownloadBaseUrl);

}  // namespace tfx::airports

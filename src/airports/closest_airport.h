#pragma once
// The airport at which an aircraft stands: the nearest within 5 nm, where a
// neighbouring airport with a nearer stand wins.
#include <functional>
#include <string>

#include "airports/airport_database.h"
#include "core/geodesy.h"

namespace tfx::airports {

struct NearestStand {
  double distanceNm = 100.0;  // 100.0: no usable stand file or no stand nearer
  std::string id;
};

// Distance from a position to an airport's nearest stand.
using NearestStandQuery = std::function<NearestStand(const Airport&, const LatLon&)>;

// The closest airport within 5 nm, or nullptr. Only when a nearer airport took
// the closest place from another during the walk are the two airports' stands
// compared (and the query asked).
const Airport* gf_closestAirport(const AirportDatabase& database, const LatLon& position,
                                 const NearestStandQuery& nearestStand);

}  // namespace tfx::airports

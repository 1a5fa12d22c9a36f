#include "airports/airport.h"

namespace tfx::airports {

Airport& parkAirport() {
  static Airport park;
  return park;
}

}  // namespace tfx::airports

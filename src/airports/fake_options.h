#pragma once
// Made-up soft occupancies for stands, so that an airport whose file knows
// little still shows parked aircraft in the soft round.
#include <span>
#include <string_view>

#include "airports/stand.h"

namespace tfx::airports {

// Appends one made-up option to every stand that has a candidate: a type that
// fits, of an airline typical for the stand's kind or for the airport's
// region (the first letter of its code), at the given day and half-hour only.
void gf_addFakeOptions(std::span<Stand> stands, std::string_view airportCode, int day, int halfHour);

}  // namespace tfx::airports

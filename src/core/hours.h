#pragma once
// Hour lists: slots of the day (0..47, half-hours) as a bit set.
#include <bitset>
#include <string_view>

namespace tfx {

using HourSet = std::bitset<48>;

// "0,5,47" sets bits 0, 5 and 47; invalid pieces are logged and skipped.
HourSet gf_hours2bitset(std::string_view text);

}  // namespace tfx

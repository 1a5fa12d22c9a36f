#pragma once
// Aircraft types of the feed that are never shown: balloons, gliders, ground
// vehicles, ships and the like.
#include <set>
#include <string_view>

namespace tfx {

// Built once, on first use.
const std::set<std::string_view, std::less<>>& excludedTypes();

}  // namespace tfx

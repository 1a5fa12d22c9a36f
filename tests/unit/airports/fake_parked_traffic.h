#pragma once
// Live traffic as static parking sees it, kept in plain lists, and the
// removals asked of it.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "airports/parked_traffic.h"

namespace tfx::test {

class FakeParkedTraffic final : public airports::ParkedTraffic {
 public:
  void collectParkedLive(std::vector<airports::ParkedAircraft>& into) const override {
    into.insert(into.end(), liveParked.begin(), liveParked.end());
  }
  void collectStatic(std::vector<airports::ParkedAircraft>& into) const override {
    into.insert(into.end(), placedStatic.begin(), placedStatic.end());
  }
  bool presentInSimulator(std::string_view name) const override {
    askedEmpty = askedEmpty || name.empty();
    return names.contains(std::string(name));
  }
  void removeParked(uint32_t hexid, airports::ParkedRemoval reason) override { removed.emplace_back(hexid, reason); }

  bool wasRemoved(uint32_t hexid) const {
    return std::any_of(removed.begin(), removed.end(), [&](const auto& entry) { return entry.first == hexid; });
  }

  std::vector<airports::ParkedAircraft> liveParked;
  std::vector<airports::ParkedAircraft> placedStatic;
  std::set<std::string> names;  // callsigns and registrations in the simulator
  std::vector<std::pair<uint32_t, airports::ParkedRemoval>> removed;
  mutable bool askedEmpty = false;
};

}  // namespace tfx::test

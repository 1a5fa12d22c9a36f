#pragma once
// Stands in space: which circles overlap, which stand lies nearest, which
// aircraft fits.
#include <span>
#include <string>
#include <vector>

#include "airports/stand.h"
#include "core/geodesy.h"

namespace tfx::airports {

// Fills every stand's overlaps with the index of each other stand whose
// circle overlaps it (distance x 1.1 < sum of the radii). Stands are
// numbered already.
void buildOverlapTable(std::span<Stand> stands);

// Whether an aircraft of half wingspan halfSpanNm fits the stand: at most
// 1.8 m wider than its radius, and short of it by less than half a step.
bool gf_fitsStand(const Stand& stand, double halfSpanNm);

// The index of the stand nearest to the position within rangeNm; 0 for none.
// A plain walk, for a single question.
int nearestStandWithin(std::span<const Stand> stands, const LatLon& position, double rangeNm);

// A copy of the stands' positions, sorted by latitude, for nearest-stand
// questions at any rate.
class StandPositions {
 public:
  struct Entry {
    LatLon position;
    double cosLat = 0.0;  // for a cheap floor under distances
    int index = 0;
    std::string id;
  };
  StandPositions() = default;
  explicit StandPositions(std::span<const Stand> stands);
  // The nearest stand not farther than maxNm, or nullptr.
  const Entry* nearest(const LatLon& position, double maxNm) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace tfx::airports

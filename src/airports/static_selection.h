#pragma once
// Choosing stand options for static aircraft: how many are wanted, and the
// rounds of ever larger time shifts ("fit") that search the stands.
#include <span>
#include <vector>

#include "airports/stand.h"
#include "airports/static_parking.h"

namespace tfx::airports {

struct WantedCount {
  int count = 0;
  int percentage = 0;  // as the window shows it
};

// The number of static aircraft wanted at an airport of this many stands,
// by the parking percentage and the most-parked limit.
WantedCount lf_wantedStaticCount(int standCount);

// One selection's inputs; the static list and work lists live in `statics`.
struct Selection {
  std::span<Stand> stands;
  StaticParking& statics;
  const ParkedTraffic& traffic;
  DayHalfHour when;
};

// The day and half-hour `fit` half-hours before `when`.
DayHalfHour shiftedBack(const DayHalfHour& when, int fit);

// Appends one static aircraft for every free stand with an option of the
// kind at the shifted time; returns how many stands it took.
int lf_searchStands(Selection& selection, OptionKind kind, int fit);

// Runs the rounds of fit 0 up to MAX_FIT until `wanted` stands are taken;
// returns the fit reached, -1 when no round ran.
int selectStatics(Selection& selection, OptionKind kind, int wanted);

// By fit, then stand number.
void sortByFitAndStand(std::vector<StaticAircraft>& list);

// Fills statics.standUse from the stands' enabled options.
void summarizeStandUse(std::span<const Stand> stands, StaticParking& statics);

// Marks the stand taken and every stand overlapping it overlapTaken.
void markTaken(std::span<Stand> stands, int standIndex);

// Numbers every stand's options 1, 2, ... again, which enables the options a
// calculation disabled.
void enableAllOptions(std::span<Stand> stands);

}  // namespace tfx::airports

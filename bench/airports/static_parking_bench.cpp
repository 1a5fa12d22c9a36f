// Static parking at a park airport of 1,000 stands (rows of neighbours whose
// circles overlap), 20 options each spread over the week, MAX_FIT 47: the
// calculation when the wanted count is reached early, when no round reaches
// it, and the 20-minute renewal with the chosen aircraft standing.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <chrono>

#include "airports/parking_state.h"
#include "airports/stand_geometry.h"
#include "airports/static_parking.h"
#include "airports/static_renewal.h"
#include "core/parameters.h"

namespace {

using namespace tfx;
using namespace tfx::airports;

constexpr int kStands = 1000;
constexpr int kOptionsPerStand = 20;
constexpr int kSoftEvery = 4;  // every fourth option is soft
constexpr int kStandsPerRow = 40;
constexpr double kRowDegrees = 0.00054;  // 60 m
constexpr double kNeighbourDegrees = 0.0005;  // 38 m: neighbours in a row overlap
constexpr long long kWednesdayMorning = 1738749600;  // 2025-02-05 10:00 UTC

class FixedTraffic final : public ParkedTraffic {
 public:
  void collectParkedLive(std::vector<ParkedAircraft>&) const override {}
  void collectStatic(std::vector<ParkedAircraft>& into) const override {
    into.insert(into.end(), placed.begin(), placed.end());
  }
  bool presentInSimulator(std::string_view) const override { return false; }
  void removeParked(uint32_t, ParkedRemoval) override {}
  std::vector<ParkedAircraft> placed;
};

// Every option holds four half-hours of one day; `firstHalfHour` shifts them all.
void fillAirport(ParkingState& state, int firstHalfHour) {
  state.stands.parkStands.clear();
  for (int i = 0; i < kStands; ++i) {
    Stand stand;
    stand.index = i + 1;
    stand.id = fmt::format("S{}", i);
    stand.lat = 47.45 + (i / kStandsPerRow) * kRowDegrees;
    stand.lon = 8.55 + (i % kStandsPerRow) * kNeighbourDegrees;
    stand.radius = 22.0 / 1852.0;
    for (int k = 0; k < kOptionsPerStand; ++k) {
      StandOption option{.airline = "SWR",
                         .type = "A320",
                         .registration = fmt::format("HB-{}", i * kOptionsPerStand + k),
                         .callsign = fmt::format("SWR{}", k),
                         .callsignNote = fmt::format("SWR{}", k + 1),
                         .halfHours = {},
                         .index = k + 1,
                         .day = k % 7 + 1,
                         .origin = 1,
                         .real = k % kSoftEvery == 0 ? 0 : 1};
      const int start = (firstHalfHour + i * 7 + k * 5) % 44;
      for (int h = start; h < start + 4; ++h) option.halfHours.set(static_cast<size_t>(h));
      stand.options.push_back(std::move(option));
    }
    state.stands.parkStands.push_back(std::move(stand));
  }
  buildOverlapTable(state.stands.parkStands);
  state.stands.standsLoaded = true;
}

std::chrono::system_clock::time_point wednesdayMorning() {
  return std::chrono::system_clock::time_point(std::chrono::seconds(kWednesdayMorning));
}

void runCalculation(benchmark::State& state, int percentage) {
  RANDOM.set(true);
  MAX_FIT.set(47);
  parking_percentage.set(percentage);
  ParkingState parking;
  fillAirport(parking, 0);
  const FixedTraffic traffic;
  const UserAircraft user{.position = {47.4502, 8.5502}, .onGround = true, .heightAboveGroundFt = 0.0};
  for (auto _ : state) {
    lf_calcStaticParking(parking, traffic, user, wednesdayMorning());
    benchmark::DoNotOptimize(parking.statics.staticList.data());
  }
  state.counters["chosen"] = static_cast<double>(parking.statics.staticList.size());
  state.counters["realFit"] = parking.statics.shown.realFit;
  state.counters["softFit"] = parking.statics.shown.softFit;
}

// 30 %: 300 wanted, reached in the first few rounds.
void BM_CalcStaticParking(benchmark::State& state) { runCalculation(state, 30); }
BENCHMARK(BM_CalcStaticParking)->Unit(benchmark::kMicrosecond);

// 100 %: overlapping neighbours keep the count below the wanted one, so all
// 48 real and 48 soft rounds run.
void BM_CalcStaticParkingEveryRound(benchmark::State& state) { runCalculation(state, 100); }
BENCHMARK(BM_CalcStaticParkingEveryRound)->Unit(benchmark::kMicrosecond);

void BM_Renewal(benchmark::State& state) {
  RANDOM.set(true);
  MAX_FIT.set(47);
  parking_percentage.set(30);
  ParkingState parking;
  fillAirport(parking, 0);
  FixedTraffic traffic;
  const UserAircraft user{.position = {47.4502, 8.5502}, .onGround = true, .heightAboveGroundFt = 0.0};
  lf_calcStaticParking(parking, traffic, user, wednesdayMorning());
  uint32_t hexid = 1;
  for (const StaticAircraft& aircraft : parking.statics.staticList) {
    const Stand& stand = parking.stands.parkStands[static_cast<size_t>(aircraft.standIndex - 1)];
    traffic.placed.push_back({.hexid = hexid++,
                              .standIndex = aircraft.standIndex,
                              .position = stand.position(),
                              .halfWingspanNm = 17.0 / 1852.0,
                              .airline = aircraft.airline,
                              .type = aircraft.type,
                              .callsign = aircraft.callsign,
                              .callsignNote = aircraft.callsignNote,
                              .registration = aircraft.registration});
  }
  const auto twentyMinutesLater = wednesdayMorning() + std::chrono::minutes(20);
  for (auto _ : state) {
    lf_parkingAdjustments(parking, traffic, user, twentyMinutesLater);
    benchmark::DoNotOptimize(parking.statics.staticList.data());
  }
  state.counters["standing"] = static_cast<double>(traffic.placed.size());
  state.counters["added"] = static_cast<double>(parking.statics.staticList.size());
}
BENCHMARK(BM_Renewal)->Unit(benchmark::kMicrosecond);

}  // namespace

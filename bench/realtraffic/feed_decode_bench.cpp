// Decoding speed of the feeds on one core: datagrams per second ("items_per_second").
// Each benchmark runs in repetitions, so that on a machine whose cores are
// shared the undisturbed run shows: its time is the "min" line's time, its
// rate the "max" line's items_per_second; "median" is the typical run.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/parameters.h"
#include "realtraffic/traffic_decoder.h"
#include "realtraffic/traffic_queue.h"
#include "realtraffic/weather_decoder.h"

namespace tfx {
namespace {

constexpr LatLon kZurich{47.4647, 8.5492};

// The traffic datagrams of the committed Zurich recording (ground movements and approaches).
std::vector<std::string> recordedDatagrams() {
  std::vector<std::string> datagrams;
  std::ifstream file(std::string(TFX_SOURCE_DIR) + "/data/feed/zurich.rec");
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    datagrams.push_back(line.substr(line.find(' ', line.find(' ') + 1) + 1));
  }
  return datagrams;
}

// Airborne reports with every field a live feed fills: heading, roll, TAS.
std::vector<std::string> airborneDatagrams() {
  std::vector<std::string> datagrams;
  for (int i = 0; i < 1000; ++i) {
    datagrams.push_back(fmt::format(
        "RTTFC,{},{:.7f},{:.7f},{},{},0,{:.1f},{:.1f},SWR{},A320,HB-J{:02},LSZH,EGLL,{:.2f},X,LX{},adsb_icao,{},"
        "{},{},0.78,0,{:.1f},{:.1f},{:.1f},-640,none,A3",
        4000000 + i * 13, 47.0 + (i % 100) * 0.01, 8.0 + (i % 70) * 0.015, 5000 + i * 31 % 30000, -640 + i % 9 * 160,
        i * 0.36, 250.0 + i % 200, i, i % 100, 1733419378.0 + i, i, 5100 + i * 31 % 30000, 240 + i % 80,
        i % 5 == 0 ? -1 : 260 + i % 200, (i % 21) - 10.0, i * 0.36, i * 0.36));
  }
  return datagrams;
}

double lowest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }
double highest(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

#define TFX_FEED_BENCHMARK(function)                                                                 \
  BENCHMARK(function)->Repetitions(9)->ReportAggregatesOnly(true)->ComputeStatistics("min", lowest) \
      ->ComputeStatistics("max", highest)

class DecodeFixture {
 public:
  DecodeFixture() {
    RANGE.set(100);
    updateTrafficRadius();
    feed.setReferencePosition(kZurich);
    feed.setParkAirport(kZurich);
    feed.setGroundElevation(1416.0);
  }
  TrafficFeedState feed;
};

void decodeAll(benchmark::State& state, const std::vector<std::string>& datagrams) {
  DecodeFixture fixture;
  size_t kept = 0;
  size_t index = 0;
  for (auto _ : state) {
    auto report = decodeTrafficDatagram(datagrams[index], fixture.feed);
    kept += report.has_value();
    benchmark::DoNotOptimize(report);
    if (++index == datagrams.size()) index = 0;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["kept"] = benchmark::Counter(static_cast<double>(kept) / static_cast<double>(state.iterations()));
}

void BM_DecodeRecordedZurich(benchmark::State& state) {
  static const auto datagrams = recordedDatagrams();
  if (datagrams.empty()) {
    state.SkipWithError("data/feed/zurich.rec not found");
    return;
  }
  decodeAll(state, datagrams);
}
TFX_FEED_BENCHMARK(BM_DecodeRecordedZurich);

void BM_DecodeSyntheticAirborne(benchmark::State& state) {
  static const auto datagrams = airborneDatagrams();
  decodeAll(state, datagrams);
}
TFX_FEED_BENCHMARK(BM_DecodeSyntheticAirborne);

// What the reader's thread does per datagram: decode and queue under the lock.
void BM_DecodeAndQueue(benchmark::State& state) {
  static const auto datagrams = airborneDatagrams();
  DecodeFixture fixture;
  TrafficQueue queue;
  queue.setAccepting(true);
  size_t index = 0;
  for (auto _ : state) {
    if (auto report = decodeTrafficDatagram(datagrams[index], fixture.feed)) queue.offer(std::move(*report));
    if (++index == datagrams.size()) {
      index = 0;
      std::lock_guard guard(queue.mutex);
      queue.reports.clear();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
TFX_FEED_BENCHMARK(BM_DecodeAndQueue);

void BM_DecodeWeather(benchmark::State& state) {
  std::atomic<int32_t> lastQnh{1013};
  std::atomic<int32_t> feedState{1};
  const std::vector<std::string> datagrams{R"({"QNH": 1009, "ICAO": "LSZH"})", R"({"QNH": "1011"})",
                                           R"({"QNH": 2992})"};
  size_t index = 0;
  for (auto _ : state) {
    decodeWeatherDatagram(datagrams[index], {lastQnh, feedState});
    if (++index == datagrams.size()) index = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
TFX_FEED_BENCHMARK(BM_DecodeWeather);

}  // namespace
}  // namespace tfx

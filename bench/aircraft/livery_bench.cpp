// The livery scan, the matching set-up and the matching on a generated world
// of 10,000 aircraft.cfg files and 30,000 liveries, beside the time the
// system takes just to read the same files (cat).
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <thread>
#include <nlohmann/json.hpp>

#include "aircraft/aircraft_queries.h"
#include "aircraft/liveries_file.h"
#include "aircraft/livery_catalogue.h"
#include "aircraft/livery_scan.h"
#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "core/text_trim.h"
#include "world.h"

namespace {

namespace fs = std::filesystem;
using namespace tfx;

std::atomic<int64_t> allocations{0};
std::atomic<int64_t> allocatedBytes{0};

}  // namespace

// Counted so the benchmarks can tell how much a step allocates.
void* operator new(size_t size) {
  ++allocations;
  allocatedBytes += static_cast<int64_t>(size);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

namespace {

constexpr size_t kCfgFiles = 10000;
constexpr size_t kLiveries = 30000;

struct BenchWorld {
  fs::path root = fs::temp_directory_path() / "aeroshadow-livery-bench";
  fs::path world = root / "world";
  fs::path install = root / "install";
  nlohmann::json manifest;
  fs::path fileList = root / "cfg-files.txt";

  BenchWorld() {
    if (!fs::exists(world / "manifest.json")) {
      simworld::WorldOptions options;
      options.out = world;
      options.cfgFiles = kCfgFiles;
      options.liveries = kLiveries;
      options.seed = 2026;
      options.trapRate = 0.05;
      options.sources = {fs::path(TFX_SOURCE_DIR) / "data" / "dbase.xml",
                         fs::path(TFX_SOURCE_DIR) / "data" / "AIG-regcodes.xml",
                         fs::path(TFX_SHARED_DATA_DIR) / "airlines" / "openflights-airlines.dat",
                         fs::path(TFX_SHARED_DATA_DIR) / "aircraft-types" / "faa-acd-2023-09-07.csv"};
      simworld::generateWorld(options);
    }
    manifest = nlohmann::json::parse(std::ifstream(world / "manifest.json"));
    fs::create_directories(install / "input");
    for (const char* name : {"dbase.enc", "AIG-regcodes.enc"}) {
      fs::copy_file(fs::path(TFX_BINARY_DIR) / "input" / name, install / "input" / name,
                    fs::copy_options::overwrite_existing);
    }
    std::ofstream list(fileList, std::ios::binary | std::ios::trunc);
    for (const auto& folder : manifest["folders"]) {
      for (const auto& entry : fs::recursive_directory_iterator(folder.get<std::string>())) {
        if (entry.is_regular_file() && lowerAscii(entry.path().filename().string()) == "aircraft.cfg") {
          list << entry.path().string() << '\0';
        }
      }
    }
    fs::current_path(install);
    gf_readDbase(paths::dbaseEnc, root / "dbase.xml");
  }

  LiveryScanRequest request() const {
    LiveryScanRequest scan;
    scan.automatic = false;
    for (const auto& folder : manifest["folders"]) scan.manualFolders.emplace_back(folder.get<std::string>());
    return scan;
  }
};

BenchWorld& benchWorld() {
  static BenchWorld world;
  return world;
}

void BM_CatOfTheSameFiles(benchmark::State& state) {
  const std::string command = "xargs -0 cat > /dev/null < '" + benchWorld().fileList.string() + "'";
  for (auto _ : state) benchmark::DoNotOptimize(std::system(command.c_str()));
}
BENCHMARK(BM_CatOfTheSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanToSavedListAndReports(benchmark::State& state) {
  BenchWorld& world = benchWorld();
  size_t liveries = 0;
  for (auto _ : state) {
    ScanReports reports;
    liveries = lf_scanLiveries(world.request(), aircraftDatabase(), reports).liveries.size();
  }
  state.counters["liveries"] = static_cast<double>(liveries);
  state.counters["threads"] = static_cast<double>(std::thread::hardware_concurrency());
}
BENCHMARK(BM_ScanToSavedListAndReports)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadSavedListAndSetUp(benchmark::State& state) {
  BenchWorld& world = benchWorld();
  if (!fs::exists(paths::liveriesScanned)) {
    ScanReports reports;
    lf_scanLiveries(world.request(), aircraftDatabase(), reports);
  }
  int64_t retained = 0;
  for (auto _ : state) {
    LiveryCatalogue catalogue(aircraftDatabase());
    lf_processScannedLiveries(catalogue, paths::liveriesScanned);
    state.PauseTiming();
    // What the tables keep: a second build into a fresh object, counted.
    LiveryTables tables;
    const LiveryList liveries = readScannedLiveries(paths::liveriesScanned);
    const int64_t before = allocatedBytes;
    tables.build(liveries, aircraftDatabase());
    retained = allocatedBytes - before;
    state.ResumeTiming();
  }
  state.counters["tableMB"] = static_cast<double>(retained) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ReadSavedListAndSetUp)->Unit(benchmark::kMillisecond);

struct TimetableAircraft {
  std::string airline, type, registration;
  bool cargo = false;
};

std::vector<TimetableAircraft> timetableAircraft(size_t count) {
  std::vector<TimetableAircraft> aircraft;
  for (const char* name : {"KLM.xml", "SWR.xml", "EDW.xml"}) {
    pugi::xml_document document;
    document.load_file((fs::path(TFX_SHARED_DATA_DIR) / "fg-ai-timetables" / name).c_str());
    for (pugi::xml_node node : document.child("trafficlist").children("aircraft")) {
      TimetableAircraft one{node.child_value("airline"), std::string("A") + node.child_value("actype"),
                            node.child_value("registration")};
      if (auto record = gf_findRegcode(one.registration)) {
        one.type = record->type;
        one.cargo = record->cargo;
      }
      aircraft.push_back(std::move(one));
    }
  }
  // Each aircraft as timetabled, without its registration, with an unknown
  // operator, as a private aircraft and with another airline's registration:
  // hits at every step and misses.
  std::vector<TimetableAircraft> chosen;
  for (size_t index = 0; chosen.size() < count; ++index) {
    TimetableAircraft one = aircraft[index % aircraft.size()];
    switch (index / aircraft.size() % 5) {
      case 1: one.registration.clear(); break;
      case 2: one.airline = "XXX"; one.registration.clear(); break;
      case 3: one.airline = "PVT"; one.registration.clear(); break;
      case 4: one.airline = "SWR"; one.registration = "X-" + std::to_string(index); break;
      default: break;
    }
    chosen.push_back(std::move(one));
  }
  return chosen;
}

void BM_FindLiveryLiveAc(benchmark::State& state) {
  BenchWorld& world = benchWorld();
  if (!fs::exists(paths::liveriesScanned)) {
    ScanReports reports;
    lf_scanLiveries(world.request(), aircraftDatabase(), reports);
  }
  RANDOM.set(false);
  LOG.set(false);
  static LiveryCatalogue catalogue(aircraftDatabase());
  if (!catalogue.setUpDone) lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  const std::vector<TimetableAircraft> aircraft = timetableAircraft(1000);
  std::vector<LiveryRequest> requests;
  for (const TimetableAircraft& one : aircraft) {
    requests.push_back({one.airline, one.type, one.registration, gf_acCategory(one.type), one.cargo, "bench", ""});
  }
  std::array<int64_t, kMatchingSteps + 1> steps{};
  int64_t earlyAllocations = 0;
  for (auto _ : state) {
    for (const LiveryRequest& request : requests) {
      const int64_t before = allocations;
      const LiveryMatch match = catalogue.matcher.findLiveryLiveAc(request);
      if (match.step == 1 || match.step == 2) earlyAllocations += allocations - before;
      ++steps[static_cast<size_t>(match.step)];
      benchmark::DoNotOptimize(match);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(requests.size()));
  for (int step = 0; step <= kMatchingSteps; ++step) {
    state.counters["step" + std::to_string(step)] =
        static_cast<double>(steps[static_cast<size_t>(step)]) / static_cast<double>(state.iterations());
  }
  state.counters["allocs12"] = static_cast<double>(earlyAllocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FindLiveryLiveAc)->Unit(benchmark::kMicrosecond);

}  // namespace

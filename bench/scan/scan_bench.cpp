// Speed and memory of the add-on airport scan: a scenery tree of the size of
// a well-stocked simulator, 1000 airport files alone, one LEAB decode from
// memory, and one flight plan file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "bgl_writer.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "airports/stand_file_write.h"
#include "flightplan/flight_plan_file.h"
#include "scan/airport_scan.h"
#include "scan/bgl_reader.h"
#include "scan/bgl_stands.h"

namespace {

namespace fs = std::filesystem;
using namespace tfx;

constexpr std::string_view kNoSite = "file:///nonexistent-site/";

const fs::path& benchRoot() {
  static const fs::path root = [] {
    fs::path folder = fs::temp_directory_path() / "aeroshadow-scan-bench";
    fs::create_directories(folder);
    return folder;
  }();
  return root;
}

std::string identOf(int number) {
  std::string ident = "AAAA";
  for (int digit = 3; digit >= 0; --digit, number /= 26) ident[static_cast<size_t>(digit)] = static_cast<char>('A' + number % 26);
  return ident;
}

void writeOnce(const fs::path& file, const test::BglFileSpec& layout) {
  if (!fs::exists(file)) test::writeBytes(file, test::bglFile(layout));
}

// 150 add-on folders: an airport of 20..400 stands (v4 or v5), a CVX-like
// file, 18 object files of 2..400 KB, and in every 20th folder a 64 MB
// photo-like file.
fs::path sceneryTree() {
  const fs::path tree = benchRoot() / "tree";
  for (int folder = 0; folder < 150; ++folder) {
    const fs::path scenery = tree / fmt::format("Addon{:03}", folder) / "scenery";
    const int stands = 20 + (folder * 53) % 381;
    writeOnce(scenery / "airport.bgl", {{test::sampleAirport(identOf(folder), stands, folder % 2 == 0)}, 0});
    writeOnce(scenery / "airport_CVX.bgl", {{}, 1200});
    for (int object = 0; object < 18; ++object) {
      writeOnce(scenery / fmt::format("object{:02}.bgl", object), {{}, static_cast<size_t>(2 + (object * 97 + folder * 31) % 399) * 1024});
    }
    if (folder % 20 == 0) writeOnce(scenery / "photo.bgl", {{}, size_t{64} << 20});
  }
  return tree;
}

fs::path airportsOnly() {
  const fs::path tree = benchRoot() / "airports";
  for (int file = 0; file < 1000; ++file) {
    writeOnce(tree / fmt::format("{:02}", file / 100) / fmt::format("airport{:04}.bgl", file),
              {{test::sampleAirport(identOf(1000 + file), 20 + (file * 53) % 381, file % 2 == 0)}, 0});
  }
  return tree;
}

std::vector<fs::path> filesBelow(const fs::path& tree) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

// Every file read whole in 1 MB pieces, on as many tasks at once as the scan uses.
std::uint64_t readWhole(const std::vector<fs::path>& files) {
  const size_t tasks = std::max(1U, std::thread::hardware_concurrency());
  std::vector<std::future<std::uint64_t>> running;
  for (size_t task = 0; task < tasks; ++task) {
    running.push_back(std::async(std::launch::async, [&files, task, tasks] {
      std::vector<char> buffer(1 << 20);
      std::uint64_t bytes = 0;
      for (size_t index = task; index < files.size(); index += tasks) {
        std::ifstream in(files[index], std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
          bytes += static_cast<std::uint64_t>(in.gcount());
        }
      }
      return bytes;
    }));
  }
  std::uint64_t total = 0;
  for (auto& task : running) total += task.get();
  return total;
}

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A program folder for each tree's output, with the tree as afolder, so that
// a scan finds what the last scan of the same tree generated.
void prepareInstall(const fs::path& tree) {
  const fs::path install = benchRoot() / "install" / tree.filename();
  fs::create_directories(install);
  fs::current_path(install);
  createProgramFolders();
  AFG_AUTOMATIC.set(false);
  afolder[0].set(tree.string());
}

// With `fresh`, the generated folders are removed before each scan (outside
// the timing), as for a first scan.
void scanTree(benchmark::State& state, const fs::path& tree, bool fresh = false) {
  prepareInstall(tree);
  const long before = peakRssKb();
  size_t generated = 0;
  for (auto _ : state) {
    if (fresh) {
      state.PauseTiming();
      for (const fs::path& folder : {paths::myOrbx, paths::myThirdparty}) fs::remove_all(folder);
      createProgramFolders();
      state.ResumeTiming();
    }
    const scan::AddonScanResult result = scan::scanAddonAirports(kNoSite);
    generated = result.generated.size();
    benchmark::DoNotOptimize(result.airports);
  }
  state.counters["generated"] = static_cast<double>(generated);
  state.counters["peakRssGrowthMB"] = static_cast<double>(peakRssKb() - before) / 1024.0;
  state.counters["usPerGenerated"] = benchmark::Counter(static_cast<double>(generated) * state.iterations(),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ScanTree(benchmark::State& state) { scanTree(state, sceneryTree()); }
void BM_ReadTreeWhole(benchmark::State& state) {
  const std::vector<fs::path> files = filesBelow(sceneryTree());
  for (auto _ : state) state.counters["MB"] = static_cast<double>(readWhole(files)) / (1 << 20);
  state.counters["files"] = static_cast<double>(files.size());
}
void BM_ScanAirportsOnly(benchmark::State& state) { scanTree(state, airportsOnly()); }
void BM_ScanAirportsOnlyFresh(benchmark::State& state) { scanTree(state, airportsOnly(), true); }
void BM_ReadAirportsOnlyWhole(benchmark::State& state) {
  const std::vector<fs::path> files = filesBelow(airportsOnly());
  for (auto _ : state) benchmark::DoNotOptimize(readWhole(files));
}

void BM_DecodeLeabFromMemory(benchmark::State& state) {
  const test::Bytes file = test::readBytes(fs::path(TFX_SOURCE_DIR) / "../shared/data/bgl/LEAB_ADEP5_ARV187.bgl");
  scan::ScanLog log(false);
  for (auto _ : state) {
    scan::MemoryBglBytes bytes(file);
    const scan::BglContent content = scan::readBgl(bytes);
    const scan::AirportStands stands = scan::airportStands(content.airports.front(), "LEAB_ADEP5_ARV187.bgl", log);
    benchmark::DoNotOptimize(stands.stands.data());
  }
}

// The least each generated file costs: its text, for an airport of the
// trees' mean size (210 stands).
void BM_StandFileText(benchmark::State& state) {
  const scan::BglAirport airport = test::sampleAirport("EDDM", 210, true);
  scan::ScanLog log(false);
  const scan::AirportStands stands = scan::airportStands(airport, "EDDM.bgl", log);
  const airports::AirportFileInfo info{airport.name, "unknown", 328};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        airports::standFileText({.stands = stands.stands, .info = info, .bglPath = "EDDM.bgl"}, airports::StandFileMode::All)
            .size());
  }
}

void BM_WriteFlightPlan(benchmark::State& state) {
  const fs::path plan = benchRoot() / "4840131.pln";
  for (auto _ : state) benchmark::DoNotOptimize(flightplan::gf_writeFlightPlan(plan, 2, "EHAM", "KJFK"));
}

// The scan first, so that its peak memory is measured before anything else
// grew. CPU time is that of the whole process, worker threads included, the
// fair figure on a loaded machine where wall time mostly measures waiting.
BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadTreeWhole)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_ScanAirportsOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_ScanAirportsOnlyFresh)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadAirportsOnlyWhole)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_DecodeLeabFromMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StandFileText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteFlightPlan)->Unit(benchmark::kMicrosecond);

}  // namespace

// The airport database and a large airport's stands: reading, the closest
// airport, the overlap table, the nearest stand and saving the learned file,
// each beside the bare work it rests on (pugixml alone, a bare distance loop).
#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <stdexcept>

#include "airports/airport.h"
#include "airports/airport_database.h"
#include "airports/closest_airport.h"
#include "airports/park_stands.h"
#include "airports/read_apf.h"
#include "airports/save_learned.h"
#include "airports/stand_geometry.h"
#include "core/geodesy.h"

namespace {

using namespace tfx;
using namespace tfx::airports;
namespace fs = std::filesystem;

const fs::path kShippedDatabase{TFX_SHIPPED_AIRPORTS};
constexpr int kStands = 1000;
constexpr int kOptionsPerStand = 20;
const std::string kStandFile = "airports/my_thirdparty/BENC.xml";
const LatLon kZurich{47.458056, 8.548056};
constexpr double kUserStandRadiusNm = 55.0 / 1852.0;

// The heap a database holds: its records and the codes too long to live inside them.
size_t databaseBytes(const AirportDatabase& database) {
  size_t bytes = database.capacity() * sizeof(Airport);
  for (const Airport& airport : database) {
    if (airport.code.capacity() > std::string().capacity()) bytes += airport.code.capacity() + 1;
    if (airport.iata.capacity() > std::string().capacity()) bytes += airport.iata.capacity() + 1;
  }
  return bytes;
}

// Page faults cost much on virtual machines and depend on the allocator's
// history (glibc moves its mmap threshold after large frees), so each bare
// baseline first does the full work once, as its counterpart did before it.
void BM_ParseAirportDatabaseOnly(benchmark::State& state) {
  benchmark::DoNotOptimize(readAirportDatabase(kShippedDatabase).size());
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_file(kShippedDatabase.c_str()));
  }
}
BENCHMARK(BM_ParseAirportDatabaseOnly)->Unit(benchmark::kMillisecond);

void BM_ReadAirportDatabase(benchmark::State& state) {
  AirportDatabase database;
  for (auto _ : state) database = readAirportDatabase(kShippedDatabase);
  state.counters["airports"] = static_cast<double>(database.size());
  state.counters["MB"] = static_cast<double>(databaseBytes(database)) / 1e6;
}
BENCHMARK(BM_ReadAirportDatabase)->Unit(benchmark::kMillisecond);

void BM_DistanceLoopOverAirports(benchmark::State& state) {
  const AirportDatabase database = readAirportDatabase(kShippedDatabase);
  for (auto _ : state) {
    double best = 100.0;
    for (const Airport& airport : database) best = std::min(best, gf_distanceNm(kZurich, airport.position()));
    benchmark::DoNotOptimize(best);
  }
}
BENCHMARK(BM_DistanceLoopOverAirports)->Unit(benchmark::kMicrosecond);

void BM_ClosestAirport(benchmark::State& state) {
  const AirportDatabase database = readAirportDatabase(kShippedDatabase);
  const NearestStandQuery noStands = [](const Airport&, const LatLon&) { return NearestStand{}; };
  for (auto _ : state) benchmark::DoNotOptimize(gf_closestAirport(database, kZurich, noStands));
}
BENCHMARK(BM_ClosestAirport)->Unit(benchmark::kMicrosecond);

// An install folder of its own with a stand file of 1,000 stands in a grid
// 60 m apart, 20 occupancies each; gone when the bench ends.
class LargeAirport {
 public:
  LargeAirport() {
    std::string folder = (fs::temp_directory_path() / "airports_bench.XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) throw std::runtime_error("no scratch folder");
    folder_ = folder;
    fs::create_directories("airports/my_thirdparty");
    std::ofstream file(kStandFile);
    file << R"(<meta><info name="author" value="bench"/><info name="date" value="2025-01-01"/>)"
         << R"(<info name="version" value="1"/></meta><parameters>)"
         << R"(<parameter name="airport_name" value="Bench"/><parameter name="publisher" value="Bench"/>)"
         << R"(<parameter name="altitude" value="1417"/></parameters><parkpositions>)" << '\n';
    for (int stand = 0; stand < kStands; ++stand) {
      file << fmt::format(R"(<parkpos id="S{}" latitude="{:.6f}" longitude="{:.6f}" heading="90.0" radius="20.0">)",
                          stand, kZurich.lat + (stand / 40) * 0.00054, kZurich.lon + (stand % 40) * 0.0008);
      for (int option = 0; option < kOptionsPerStand; ++option) {
        file << fmt::format(R"(<opt cs="SWR{}:LX{}" reg="" airl="SWR" type="A320" day="{}" hh="{},{},{}"/>)", option,
                            stand, option % 7 + 1, option, option + 1, option + 2);
      }
      file << "</parkpos>\n";
    }
    file << "</parkpositions>\n";
    parkAirport() = {.code = "BENC", .iata = {}};
  }
  LargeAirport(const LargeAirport&) = delete;
  LargeAirport& operator=(const LargeAirport&) = delete;
  ~LargeAirport() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(folder_, ignored);
  }

  void read(ParkStands& park) const {
    if (!gf_readApf(kStandFile, park).empty()) throw std::runtime_error("stand file not read");
  }

 private:
  fs::path folder_;
};

const LargeAirport& largeAirport() {
  static const LargeAirport airport;
  return airport;
}

void BM_ParseStandFileOnly(benchmark::State& state) {
  ParkStands park;
  largeAirport().read(park);
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_file(kStandFile.c_str()));
  }
}
BENCHMARK(BM_ParseStandFileOnly)->Unit(benchmark::kMillisecond);

void BM_ReadStandFile(benchmark::State& state) {
  for (auto _ : state) {
    ParkStands park;
    largeAirport().read(park);
    benchmark::DoNotOptimize(park.parkStands.data());
  }
}
BENCHMARK(BM_ReadStandFile)->Unit(benchmark::kMillisecond);

void BM_OverlapTable(benchmark::State& state) {
  ParkStands park;
  largeAirport().read(park);
  for (auto _ : state) {
    for (Stand& stand : park.parkStands) stand.overlaps.clear();
    buildOverlapTable(park.parkStands);
  }
}
BENCHMARK(BM_OverlapTable)->Unit(benchmark::kMicrosecond);

void BM_NearestStand(benchmark::State& state) {
  ParkStands park;
  largeAirport().read(park);
  const StandPositions positions(park.parkStands);
  const LatLon user{kZurich.lat + 12 * 0.00054 + 0.00003, kZurich.lon + 17 * 0.0008 - 0.00002};
  for (auto _ : state) benchmark::DoNotOptimize(positions.nearest(user, kUserStandRadiusNm));
}
BENCHMARK(BM_NearestStand)->Unit(benchmark::kNanosecond);

// The occupancies as learned ones, so that the learned file holds all of them.
void readAsLearned(ParkStands& park) {
  largeAirport().read(park);
  for (Stand& stand : park.parkStands) {
    for (StandOption& option : stand.options) option.origin = 0;
  }
}

// The same learned file built and saved with pugixml alone.
void BM_WriteLearnedDocumentOnly(benchmark::State& state) {
  ParkStands park;
  readAsLearned(park);
  fs::create_directories("bench");
  for (auto _ : state) {
    pugi::xml_document document;
    pugi::xml_node positions = document.append_child("parkpositions");
    for (const Stand& stand : park.parkStands) {
      pugi::xml_node parkpos = positions.append_child("parkpos");
      parkpos.append_attribute("id").set_value(stand.id.c_str());
      for (const StandOption& option : stand.options) {
        pugi::xml_node opt = parkpos.append_child("opt");
        opt.append_attribute("reg").set_value(option.registration.c_str());
        opt.append_attribute("airl").set_value(option.airline.c_str());
        opt.append_attribute("type").set_value(option.type.c_str());
        opt.append_attribute("day").set_value(option.day);
        std::string hours;
        for (size_t slot = 0; slot < option.halfHours.size(); ++slot) {
          if (option.halfHours.test(slot)) hours += (hours.empty() ? "" : ",") + std::to_string(slot);
        }
        opt.append_attribute("hh").set_value(hours.c_str());
        opt.append_attribute("cs").set_value((option.callsign + ":" + option.callsignNote).c_str());
      }
    }
    benchmark::DoNotOptimize(document.save_file("bench/BENC.xml"));
  }
}
BENCHMARK(BM_WriteLearnedDocumentOnly)->Unit(benchmark::kMillisecond);

void BM_SaveLearned(benchmark::State& state) {
  ParkStands park;
  readAsLearned(park);
  for (auto _ : state) {
    park.updates = 1;
    if (!gf_saveLearned(park)) state.SkipWithError("not saved");
  }
}
BENCHMARK(BM_SaveLearned)->Unit(benchmark::kMillisecond);

}  // namespace

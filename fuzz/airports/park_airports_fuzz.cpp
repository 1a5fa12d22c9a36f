// The user's park airport list and the park airport's stand file: the input
// up to its first '<' is airports/my_park_airports.txt, the rest the stand
// file of the park airport FUZZ. Both are read as the program reads them, the
// static parking is computed with the user on the stand file's first stand,
// and the user's stand is written back to the list.
// Promises: the list holds known codes once each; the static aircraft stand
// on distinct, unblocked, non-overlapping stands, no more than wanted, each
// for an option of its stand at its half-hour; the written list is sorted,
// without repeats, and reads back with the airport first seen.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include "airports/airport.h"
#include "airports/my_park_airports.h"
#include "airports/parked_file.h"
#include "airports/parking_state.h"
#include "airports/static_parking.h"
#include "airports/static_selection.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "core/text_files.h"
#include "fuzz_install_folder.h"
#include "runstate/user_error.h"

namespace {

using namespace tfx;
using namespace tfx::airports;
using fuzz::require;
using fuzz::writeBytes;
namespace fs = std::filesystem;

constexpr std::string_view kNoSite = "http://127.0.0.1:9/";
// Wednesday 2025-02-05 01:29:30 UTC: day 3, half-hour 3.
const auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1738718970));

const AirportDatabase& database() {
  static const AirportDatabase airports{{.code = "EHAM", .iata = "AMS", .lat = 52.308, .lon = 4.764, .alt = -11},
                                        {.code = "FUZZ", .iata = {}, .lat = 47.45, .lon = 8.55, .alt = 1417},
                                        {.code = "LSZH", .iata = "ZRH", .lat = 47.458, .lon = 8.548, .alt = 1417}};
  return airports;
}

class NoLiveTraffic final : public ParkedTraffic {
 public:
  void collectParkedLive(std::vector<ParkedAircraft>&) const override {}
  void collectStatic(std::vector<ParkedAircraft>&) const override {}
  bool presentInSimulator(std::string_view name) const override { return name == "LX2"; }
  void removeParked(uint32_t, ParkedRemoval) override {}
};

void checkList(const ParkAirportList& list) {
  std::set<std::string> seen;
  for (const ParkAirportEntry& entry : list) {
    require(findAirport(database(), entry.code) != nullptr);
    require(seen.insert(entry.code).second);
    require(entry.stand.find(',') == std::string::npos);
  }
}

bool holdsOption(const Stand& stand, const StaticAircraft& aircraft, const DayHalfHour& when) {
  const DayHalfHour target = shiftedBack(when, aircraft.fit);
  return std::any_of(stand.options.begin(), stand.options.end(), [&](const StandOption& option) {
    return (option.real == 0) == aircraft.soft && option.day == target.day && option.callsign == aircraft.callsign &&
           option.registration == aircraft.registration && option.type == aircraft.type &&
           option.halfHours.test(static_cast<size_t>(target.halfHour));
  });
}

void checkStatics(const ParkingState& state) {
  const std::vector<Stand>& stands = state.stands.parkStands;
  const std::vector<StaticAircraft>& list = state.statics.staticList;
  require(std::ssize(list) <= std::max(state.statics.shown.wanted, 0));
  std::set<int> used;
  for (const StaticAircraft& aircraft : list) {
    require(aircraft.standIndex >= 1 && aircraft.standIndex <= std::ssize(stands));
    require(used.insert(aircraft.standIndex).second);
    const Stand& stand = stands[static_cast<size_t>(aircraft.standIndex - 1)];
    require(!stand.blocked);
    require(holdsOption(stand, aircraft, state.statics.when));
    require(aircraft.callsignNote != "LX2" && aircraft.callsign != "LX2");
  }
  for (const int index : used) {
    for (const int overlapping : stands[static_cast<size_t>(index - 1)].overlaps) require(!used.contains(overlapping));
  }
}

std::string fileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Only a list the program wrote itself (the input's bytes replaced) is checked.
void checkWrittenList(std::string_view inputList) {
  if (fileBytes(paths::myParkAirports) == inputList) return;
  std::vector<std::string> lines;
  require(gf_readExtTextFileToStringVector(paths::myParkAirports, lines));
  require(std::is_sorted(lines.begin(), lines.end()));
  require(std::adjacent_find(lines.begin(), lines.end()) == lines.end());
  ParkAirportList again;
  require(lf_readMyParkAirports(database(), again));
  require(std::any_of(again.begin(), again.end(), [](const ParkAirportEntry& e) { return e.code == "FUZZ"; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InstallFolder folder("park_airports_fuzz", [](const fs::path&) {});
  fs::remove_all(paths::airports);
  fs::create_directories(paths::myThirdparty);
  RANDOM.set(false);
  LEARN_SOFT.set(true);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = std::min(input.find('<'), input.size());
  writeBytes(paths::myParkAirports, input.substr(0, split));
  writeBytes(paths::myThirdparty / "FUZZ.xml", input.substr(split));

  ParkingState state;
  state.site = kNoSite;
  require(lf_readMyParkAirports(database(), state.parkAirports));
  checkList(state.parkAirports);

  parkAirport() = *findAirport(database(), "FUZZ");
  const UserAircraft user{.position = {47.451, 8.55}, .onGround = true, .heightAboveGroundFt = 0.0};
  const NoLiveTraffic traffic;
  try {
    if (lf_readParkedFile(state, user, kNow).empty()) {
      checkList(state.parkAirports);
      lf_calcStaticParking(state, traffic, user, kNow);
      checkStatics(state);
      checkWrittenList(input.substr(0, split));
    }
  } catch (const UserErrorException& error) {
    require(error.code() == 65 || error.code() == 94);
  }
  parkAirport() = {};
  return 0;
}

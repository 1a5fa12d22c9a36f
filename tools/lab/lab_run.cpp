#include "lab_run.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "aircraft/liveries_file.h"
#include "aircraft/livery_catalogue.h"
#include "aircraft/read_dbase.h"
#include "app/session_traffic.h"
#include "airports/airport_database.h"
#include "airports/closest_airport.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/random.h"
#include "lab_events.h"
#include "lab_frames.h"
#include "lab_parking.h"
#include "lab_simulator.h"
#include "realtraffic/traffic_decoder.h"
#include "realtraffic/traffic_fields.h"
#include "realtraffic/traffic_queue.h"
#include "realtraffic/traffic_reader.h"
#include "realtraffic/weather_decoder.h"
#include "realtraffic/weather_reader.h"
#include "recording.h"
#include "runstate/cycle_clock.h"
#include "titles.h"
#include "traffic/catalogue_livery.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace tfx::lab {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Extra seconds after the last datagram, so that its aircraft are due and spawned.
constexpr double kTailSeconds = 120.0;

// Field 14 of a traffic datagram, the feed's report time.
std::optional<double> reportTime(std::string_view datagram) {
  for (size_t field = 0; field < traffic_fields::kTimestamp; ++field) {
    const size_t comma = datagram.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    datagram.remove_prefix(comma + 1);
  }
  const std::string_view text = datagram.substr(0, datagram.find(','));
  double seconds = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc{} || stop != text.data() + text.size()) return std::nullopt;
  return seconds;
}

// UTC at offset 0: the option, else the first traffic datagram's time minus its offset.
double startTime(const LabOptions& options, const std::vector<feedstandin::RecordedDatagram>& recording) {
  if (options.startUtc) return *options.startUtc;
  for (const auto& entry : recording) {
    if (entry.port != kTrafficFeedPort) continue;
    if (const auto time = reportTime(entry.datagram)) return *time - entry.offsetMs / 1000.0;
  }
  return 0.0;
}

// An input file named on the command line; bad input ends the run before it starts.
const fs::path& readableFile(const fs::path& file) {
  if (!fs::is_regular_file(file)) throw std::runtime_error(fmt::format("cannot read {}", file.string()));
  return file;
}

void applySettings(const LabOptions& options) {
  if (options.params) {
    readParameters(readableFile(*options.params));
  }
  for (const auto& [key, value] : options.settings) findSetting(key)->setFromText(value);
  updateTrafficRadius();
}

void readDatabase(const LabOptions& options) {
  const fs::path encrypted = options.install / paths::dbaseEnc;
  std::random_device entropy;
  const fs::path plain = fs::temp_directory_path() / fmt::format("aeroshadow-lab-{:08x}{:08x}.xml", entropy(), entropy());
  gf_readDbase(encrypted, plain);
}

std::vector<std::string> installedTitles(const LabOptions& options) {
  if (options.titles) return simstandin::readTitlesFile(readableFile(*options.titles));
  // Decided here: "every title" is every title the lab can hand out.
  std::vector<std::string> titles{std::string(kDefaultLiveryTitle)};
  if (options.title) titles.push_back(*options.title);
  if (options.liveries) {
    for (const LiveryData& livery : readScannedLiveries(readableFile(*options.liveries))) {
      titles.push_back(livery.title);
    }
  }
  return titles;
}

// Every aircraft gets the --title livery; matching is not asked.
class FixedLivery final : public LiveryMatcher {
 public:
  explicit FixedLivery(std::string title) : title_(std::move(title)) {}
  std::optional<std::string_view> findLiveryLiveAc(const LiveryQuery&) override { return title_; }
  std::optional<std::string_view> findLiveryStaticAc(const LiveryQuery&) override { return title_; }
  void liveryRefused(const LiveryQuery&, std::string_view) override {}

 private:
  std::string title_;
};

std::ofstream openOutput(const fs::path& file) {
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  if (!stream) throw std::runtime_error(fmt::format("cannot write {}", file.string()));
  return stream;
}

size_t countActive(const TrafficState& state) {
  return static_cast<size_t>(std::count_if(state.liveList.begin(), state.liveList.end(),
                                           [](const LiveAircraft& a) { return a.state == SimState::Active; }));
}

// The files named on the command line, whatever the current folder.
LabOptions withAbsolutePaths(LabOptions options) {
  const auto absolute = [](std::optional<fs::path>& file) {
    if (file) file = fs::absolute(*file);
  };
  options.recording = fs::absolute(options.recording);
  options.out = fs::absolute(options.out);
  options.install = fs::absolute(options.install);
  absolute(options.params);
  absolute(options.titles);
  absolute(options.liveries);
  return options;
}

// The install folder is the current folder while the lab runs, as it is the program's.
class InstallFolder {
 public:
  explicit InstallFolder(const fs::path& install) : before_(fs::current_path()) { fs::current_path(install); }
  ~InstallFolder() {
    std::error_code ignored;
    fs::current_path(before_, ignored);
  }
  InstallFolder(const InstallFolder&) = delete;
  InstallFolder& operator=(const InstallFolder&) = delete;

 private:
  fs::path before_;
};

// The simulator's flat ground: the option, else the stand-in park airport's
// elevation, else that of the airport the user is at, else 0.
double groundElevation(const LabOptions& options, const airports::AirportDatabase& database) {
  if (options.groundElevation || options.park) return options.ground();
  const airports::Airport* airport = airports::gf_closestAirport(
      database, {options.userLat, options.userLon},
      [](const airports::Airport&, const LatLon&) { return airports::NearestStand{}; });
  return airport != nullptr ? airport->alt : 0.0;
}

}  // namespace

LabSummary runLab(const LabOptions& given) {
  const LabOptions options = withAbsolutePaths(given);
  const auto recording = feedstandin::loadRecording(options.recording);
  const InstallFolder installFolder(options.install);
  const auto wallStart = Clock::now();
  applySettings(options);
  seedRandomEngine(options.seed);
  readDatabase(options);
  const double start = startTime(options, recording);
  const double lastOffset = recording.empty() ? 0.0 : recording.back().offsetMs / 1000.0;
  const double duration = options.durationSeconds.value_or(lastOffset + kTailSeconds);
  const auto cycles = static_cast<int64_t>(std::llround(duration * kCyclesPerSecond));

  airports::parkAirport() = options.park.value_or(airports::Airport{});
  // Without the stand-in park airport the program's own park airport work chooses one.
  airports::AirportDatabase database;
  if (!options.park) database = airports::readAirportDatabase(readableFile(paths::airportDatabase));
  const double ground = groundElevation(options, database);
  TrafficFeedState feed;
  feed.setReferencePosition({options.userLat, options.userLon});
  if (options.park) {
    feed.setParkAirport({options.park->lat, options.park->lon});
    feed.setGroundElevation(options.park->alt);
  }

  fs::create_directories(options.out);
  std::ofstream eventsFile = openOutput(options.out / "events.jsonl");
  std::ofstream framesFile = openOutput(options.out / "frames.csv");
  LogCapture log;

  SimulatorSetup setup{options.userLat, options.userLon, options.userAltitude, options.userHeading,
                       ground, options.frameHz, installedTitles(options), {}};
  if (options.messageLog) setup.messageLog = options.out / "messages.log";
  LabSimulator simulator(setup);
  cycleNumber().store(0);
  simulator.connect();

  TrafficState state;
  FirstLinks first;
  EventWriter events(eventsFile);
  FixedLivery fixed(options.title.value_or(""));
  LiveryCatalogue catalogue{aircraftDatabase()};
  CatalogueLivery matched(catalogue);
  if (options.liveries) lf_processScannedLiveries(catalogue, readableFile(*options.liveries));
  LiveryMatcher& livery = options.title      ? static_cast<LiveryMatcher&>(fixed)
                          : options.liveries ? static_cast<LiveryMatcher&>(matched)
                                             : first.livery;
  TrafficQueue queue;
  queue.setAccepting(true);
  // Live aircraft on the ground see the park airport's stands once the parking work has read them.
  app::ParkingAccessSlot stands;
  const TrafficContext context{state, {livery, stands, first.userHold, first.motion, events}, simulator};
  TrafficCycle cycle(context, queue);
  std::optional<LabParking> parking;
  if (!options.park) {
    const double aboveGround = std::max(0.0, options.userAltitude - ground);
    parking.emplace(LabParkingSetup{.database = database,
                                    .context = context,
                                    .feed = feed,
                                    .events = events,
                                    .user = {.position = {options.userLat, options.userLon},
                                             .onGround = options.userAltitude <= ground,
                                             .heightAboveGroundFt = aboveGround},
                                    .startUtc = start});
    parking->startUp();
    stands.attach(&parking->stands());
  }
  FrameWriter frames(framesFile);
  std::atomic<int32_t> lastQnh{kStandardQnh};
  std::atomic<int32_t> weatherState{0};

  LabSummary summary;
  ReportedGround reportedGround;
  GroundWatch groundWatch(reportedGround);
  std::vector<float> cycleMicros;
  cycleMicros.reserve(static_cast<size_t>(std::max<int64_t>(cycles, 0)));
  size_t next = 0;
  for (int64_t n = 0; n < cycles; ++n) {
    const double t = static_cast<double>(n) / kCyclesPerSecond;
    simulator.runFramesUntil(t, [&](double seconds, const simstandin::World& world) {
      frames.frame(seconds, world, state);
      groundWatch.frame(seconds, world, state);
    });
    for (; next < recording.size() && recording[next].offsetMs <= n * 10; ++next) {
      const feedstandin::RecordedDatagram& entry = recording[next];
      ++summary.datagrams;
      if (entry.port == kWeatherFeedPort) {
        decodeWeatherDatagram(entry.datagram, {lastQnh, weatherState});
        continue;
      }
      const std::string datagram = options.keepTimes
                                       ? entry.datagram
                                       : feedstandin::withReportTime(entry.datagram, start + entry.offsetMs / 1000.0);
      if (auto report = decodeTrafficDatagram(datagram, feed)) {
        if (!report->airborne) reportedGround.add(report->hexid, t, {report->lat, report->lon});
        summary.reports += queue.offer(std::move(*report));
      }
    }
    const auto before = Clock::now();
    cycle.trafficCycle();
    // The simulator's once-a-second reply drives the tick.
    if ((n + 1) % kCyclesPerSecond == 0) cycle.tick((n + 1) / kCyclesPerSecond);
    cycleMicros.push_back(std::chrono::duration<float, std::micro>(Clock::now() - before).count());
    if (parking) parking->cycle(n % kCyclesPerSecond == 0);
    summary.maxLive = std::max(summary.maxLive, state.liveList.size());
    summary.maxActive = std::max(summary.maxActive, countActive(state));
  }

  if (parking) {
    parking->closeDown();
    summary.staticCreated = parking->staticCreated();
    summary.staticMismatched = parking->staticMismatched();
  }
  std::ofstream logFile = openOutput(options.out / "log.txt");
  for (const std::string& line : log.lines()) logFile << line << '\n';

  summary.cycles = cycles;
  summary.seconds = static_cast<double>(cycles) / kCyclesPerSecond;
  summary.created = events.createdCount;
  summary.spawned = events.spawnedCount;
  summary.dropped = events.droppedCount;
  summary.removed = events.erasedCount;
  summary.dropReasons = events.dropReasons;
  summary.arrivals = events.arrivalCount;
  summary.pushBacks = events.pushBackCount;
  summary.pullOuts = events.pullOutCount;
  summary.ground = groundWatch.figures();
  if (!cycleMicros.empty()) {
    double total = 0;
    for (float micros : cycleMicros) total += micros;
    summary.cycleMicrosMean = total / static_cast<double>(cycleMicros.size());
    const size_t p99 = std::min(cycleMicros.size() - 1, cycleMicros.size() * 99 / 100);
    std::nth_element(cycleMicros.begin(), cycleMicros.begin() + static_cast<ptrdiff_t>(p99), cycleMicros.end());
    summary.cycleMicrosP99 = cycleMicros[p99];
  }
  summary.wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart).count();
  return summary;
}

}  // namespace tfx::lab

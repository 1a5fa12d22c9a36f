// aeroshadow-tool lab: the program's traffic cycle on a feed recording, on a
// virtual clock, against the simulator stand-in in the same process; writes
// events.jsonl, frames.csv and log.txt and prints a summary.
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include "command.h"
#include "lab_run.h"
#include "platform/program_path.h"

namespace tfx::tool {
namespace {

nlohmann::ordered_json overlapPairsJson(const lab::GroundFigures& ground) {
  nlohmann::ordered_json pairs = nlohmann::ordered_json::array();
  for (const auto& [names, pair] : ground.overlapPairs)
    pairs.push_back({{"a", names.first},
                     {"b", names.second},
                     {"frames", pair.frames},
                     {"frames_as_reported", pair.framesAsReported},
                     {"closest_m", pair.closestM}});
  return pairs;
}

int runLabCommand(CommandArguments arguments) {
  lab::LabOptions options;
  try {
    options = lab::parseLabOptions(arguments, platform::runningProgramPath().parent_path());
  } catch (const lab::UsageError& error) {
    fmt::print(stderr, "aeroshadow-tool lab: {}\n", error.what());
    return 2;
  }
  const lab::LabSummary summary = lab::runLab(options);
  const nlohmann::ordered_json json{{"cycles", summary.cycles},
                                    {"seconds", summary.seconds},
                                    {"datagrams", summary.datagrams},
                                    {"reports", summary.reports},
                                    {"created", summary.created},
                                    {"spawned", summary.spawned},
                                    {"dropped", summary.dropped},
                                    {"removed", summary.removed},
                                    {"max_live", summary.maxLive},
                                    {"max_active", summary.maxActive},
                                    {"cycle_us_mean", summary.cycleMicrosMean},
                                    {"cycle_us_p99", summary.cycleMicrosP99},
                                    {"wall_s", summary.wallSeconds},
                                    {"drop_reasons", summary.dropReasons},
                                    {"static_created", summary.staticCreated},
                                    {"static_mismatched", summary.staticMismatched},
                                    {"arrivals", summary.arrivals},
                                    {"park_error_max_m", summary.ground.parkErrorMaxM},
                                    {"park_heading_error_max_deg", summary.ground.parkHeadingErrorMaxDeg},
                                    {"ground_overlaps", summary.ground.groundOverlaps},
                                    {"ground_overlaps_as_reported", summary.ground.groundOverlapsAsReported},
                                    {"ground_jump_max_m", summary.ground.groundJumpMaxM},
                                    {"push_backs", summary.pushBacks},
                                    {"pull_outs", summary.pullOuts},
                                    {"ground_overlap_pairs", overlapPairsJson(summary.ground)}};
  fmt::print("{}\n", json.dump());
  return 0;
}

const Command command{
    "lab",
    "--recording FILE --user LAT,LON,ALT_FT,HDG --out DIR [--park LAT,LON,ELEV_FT] [--ground-elevation FT] "
    "[--duration S] [--frame-hz N] [--keep-times] [--start-utc ISO8601|EPOCH] [--install DIR] [--params FILE] "
    "[--set KEY=VALUE]... [--title TITLE] [--titles FILE] [--liveries FILE] [--message-log] [--seed N]",
    "runs the traffic cycle on a feed recording on a virtual clock and writes DIR/events.jsonl, DIR/frames.csv "
    "and DIR/log.txt",
    runLabCommand};

}  // namespace
}  // namespace tfx::tool

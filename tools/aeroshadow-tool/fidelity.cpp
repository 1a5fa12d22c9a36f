// aeroshadow-tool fidelity: how faithfully the lab's frames of one aircraft
// follow its real track 30 s delayed, as one JSON object.
#include <fmt/format.h>

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "command.h"
#include "lab_fidelity.h"
#include "lab_options.h"
#include "tool_options.h"

namespace tfx::tool {
namespace {

using Json = nlohmann::ordered_json;

Json orNull(const std::optional<double>& value) { return value ? Json(*value) : Json(nullptr); }

lab::FidelityOptions fidelityOptions(const ToolOptions& options) {
  lab::FidelityOptions fidelity;
  if (const auto delay = options.value("--delay")) fidelity.delaySeconds = lab::optionNumbers("--delay", *delay, 1)[0];
  if (const auto ground = options.value("--ground-elevation"))
    fidelity.groundElevation = lab::optionNumbers("--ground-elevation", *ground, 1)[0];
  if (const auto runway = options.value("--runway")) {
    const auto ends = lab::optionNumbers("--runway", *runway, 4);
    fidelity.runway = std::pair{LatLon{ends[0], ends[1]}, LatLon{ends[2], ends[3]}};
  }
  return fidelity;
}

int runFidelity(CommandArguments arguments) {
  lab::FidelityOptions fidelity;
  std::string recording, frames;
  uint32_t hexid = 0;
  try {
    const ToolOptions options(arguments, {"--recording", "--frames", "--hexid", "--delay", "--ground-elevation", "--runway"},
                              {});
    recording = options.required("--recording");
    frames = options.required("--frames");
    hexid = static_cast<uint32_t>(options.number("--hexid").value_or(0));
    if (hexid == 0) throw UsageError("--hexid: a hexid is required");
    fidelity = fidelityOptions(options);
  } catch (const std::invalid_argument& error) {
    throw UsageError(error.what());
  }
  const auto real = lab::readRealTrack(recording, hexid, fidelity.groundElevation);
  const auto shown = lab::readShownFrames(frames, hexid);
  if (real.empty()) throw std::runtime_error(fmt::format("{}: no reports of hexid {}", recording, hexid));
  const lab::Fidelity result = lab::measureFidelity(real, shown, fidelity);
  const Json json{{"lateral_max_m", result.lateralMaxM},
                  {"lateral_p95_m", result.lateralP95M},
                  {"vertical_max_ft", result.verticalMaxFt},
                  {"jump_ratio_air", result.jumpRatioAir},
                  {"jump_ratio_ground", result.jumpRatioGround},
                  {"frames_below_ground_air", result.framesBelowGroundAir},
                  {"touchdown_along_m", orNull(result.touchdownAlongM)},
                  {"touchdown_fraction", orNull(result.touchdownFraction)},
                  {"touchdown_cross_m", orNull(result.touchdownCrossM)},
                  {"frames_air", result.framesAir},
                  {"frames_ground", result.framesGround}};
  fmt::print("{}\n", json.dump());
  return 0;
}

const Command command{"fidelity",
                      "--recording FILE --frames FILE --hexid N [--delay 30] [--ground-elevation FT] "
                      "[--runway LAT1,LON1,LAT2,LON2]",
                      "measures how faithfully the lab's frames of one aircraft follow its real track, delayed",
                      runFidelity};

}  // namespace
}  // namespace tfx::tool

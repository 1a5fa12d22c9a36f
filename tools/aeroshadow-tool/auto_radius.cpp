// aeroshadow-tool auto-radius (--ground | --agl-ft FT) [--park-nm NM]
// [--ar-above-height FT] [--airp-height FT]: the traffic radius the
// automatic rule chooses for the user aircraft.
#include <fmt/format.h>

#include <charconv>
#include <nlohmann/json.hpp>

#include "command.h"
#include "install_folder.h"
#include "tool_options.h"
#include "ui/automatic_radius.h"

namespace tfx::tool {
namespace {

double distanceOption(const ToolOptions& options, std::string_view name, double fallback) {
  const std::optional<std::string> text = options.value(name);
  if (!text) return fallback;
  double value = 0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc{} || end != text->data() + text->size() || value < 0) {
    throw UsageError(fmt::format("{} needs a number of 0 or more, not '{}'", name, *text));
  }
  return value;
}

int run(CommandArguments arguments) {
  const ToolOptions options(arguments, {"--agl-ft", "--park-nm", "--ar-above-height", "--airp-height"}, {"--ground"});
  const bool ground = options.flag("--ground");
  if (ground == options.value("--agl-ft").has_value()) throw UsageError("give either --ground or --agl-ft FT");
  const ui::RadiusInputs inputs{
      .onGround = ground,
      .aboveGroundFt = distanceOption(options, "--agl-ft", 0),
      .parkAirportNm = distanceOption(options, "--park-nm", ui::kNoParkAirportDistanceNm),
      .arAboveHeightFt = static_cast<int32_t>(options.number("--ar-above-height").value_or(48000)),
      .airportHeightFt = static_cast<int32_t>(options.number("--airp-height").value_or(18000)),
  };
  fmt::print("{}\n", jsonText({{"range_nm", ui::automatic_radius(inputs)}}));
  return 0;
}

const Command command{"auto-radius",
                      "(--ground | --agl-ft FT) [--park-nm NM] [--ar-above-height FT] [--airp-height FT]",
                      "the traffic radius in nautical miles that \"Auto range\" chooses", run};

}  // namespace
}  // namespace tfx::tool
